#include "tests/ui/ui_fixture.h"

#include "app/preset_list.h"
#include "app/settings_file_win.h"
#include "framework/paths_win.h"
#include "tests/harness/files.h"
#include "ui/main_window.h"
#include "ui/watch.h"

namespace uitest {

namespace {

constexpr const wchar_t* PROGRAM_FILES[] = {L"Console.dat", L"686.dat", L"exx.dat",
                                            L"CSposition.dat"};

std::wstring TestRoot() {
    static const std::wstring root = [] {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        std::wstring path =
            std::wstring(temp) + L"flagsmith_ui_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path.c_str(), nullptr);
        CreateDirectoryW((path + L"\\Settings").c_str(), nullptr);
        return path;
    }();
    return root;
}

std::wstring ProgramFile(const wchar_t* name) {
    return std::wstring(ExecutableFolder().Text()) + L"\\" + name;
}

LRESULT CALLBACK WinFbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
        message == WM_SYSKEYUP) {
        WinFbeWindow::Keys().push_back({message, wParam, static_cast<int>((lParam >> 16) & 0xFF)});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool (*g_find)(HWND*) = nullptr;
void (*g_action)(HWND) = nullptr;

void CALLBACK WatchForWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND found = nullptr;
    if (g_find && g_find(&found)) {
        KillTimer(nullptr, timer);
        g_find = nullptr;
        g_action(found);
    }
}

}  // namespace

std::wstring IniPath() {
    return TestRoot() + L"\\Settings\\WinFBE.ini";
}

void WriteWinFbeIni(const std::wstring& switches, const std::wstring& compilerPath) {
    const std::wstring text =
        L"[General]\r\nLanguage=english.lang\r\n[Compiler]\r\n"
        L"CompilerSwitches=" +
        switches + L"\r\nFBWINCompiler32=" + compilerPath + L"\r\n";
    e2e::WriteUtf16File(IniPath(), text);
}

std::wstring ReadSwitches() {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(L"Compiler", L"CompilerSwitches", L"<missing>", value, 1024,
                             IniPath().c_str());
    return value;
}

bool ProgramFileExists(const wchar_t* name) {
    return GetFileAttributesW(ProgramFile(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteProgramFile(const wchar_t* name) {
    DeleteFileW(ProgramFile(name).c_str());
}

WinFbeWindow::WinFbeWindow() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = WinFbeProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"WinFBE_Class";
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
    window_ = CreateWindowExW(0, L"WinFBE_Class", L"WinFBE", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Keys().clear();
}

WinFbeWindow::~WinFbeWindow() {
    Destroy();
}

void WinFbeWindow::Destroy() {
    if (window_) {
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

std::vector<WinFbeWindow::Key>& WinFbeWindow::Keys() {
    static std::vector<Key> keys;
    return keys;
}

MainWindowHost::MainWindowHost(const std::vector<std::wstring>& presets, bool large) {
    for (const wchar_t* name : PROGRAM_FILES) {
        DeleteProgramFile(name);
    }
    g_iniPath = SettingsFile(IniPath().c_str(), ExecutableFolder().Text());
    Array<Text16> list;
    for (const std::wstring& preset : presets) {
        list.push_back(preset);
    }
    SetPresetList(list);
    g_savedLeft = 0;
    g_savedTop = 0;
    g_isTopmost = 1;
    g_followMinimized = 0;
    app_ = std::make_unique<AppWindow>();
    app_->ReplaceFont(L"Tahoma", large ? 12 : 8, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET);
    BuildMainWindow(*app_, large);
}

MainWindowHost::~MainWindowHost() {
    if (IsWindow(g_hwndMain)) {
        KillTimer(g_hwndMain, IDT_WATCH);
        DestroyWindow(g_hwndMain);
    }
    // The quit that the main window's destruction posts belongs to no loop here.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    g_hwndMain = nullptr;
    g_hwndStatus = nullptr;
    for (const wchar_t* name : PROGRAM_FILES) {
        DeleteProgramFile(name);
    }
}

HWND MainWindowHost::Main() const {
    return g_hwndMain;
}

bool MainWindowHost::Checked(int id) const {
    return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindowHost::SetChecked(int id, bool checked) const {
    SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT MainWindowHost::Command(int id, int notification) const {
    return SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, notification),
                        reinterpret_cast<LPARAM>(Item(id)));
}

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

void WhenWindowAppears(bool (*find)(HWND*), void (*action)(HWND)) {
    g_find = find;
    g_action = action;
    SetTimer(nullptr, 0, 30, WatchForWindow);
}

namespace {

struct WindowSearch {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    if (window != g_hwndMain && IsWindowVisible(window) && lstrcmpW(text, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindThreadWindow(const wchar_t* title) {
    WindowSearch search = {title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace uitest
