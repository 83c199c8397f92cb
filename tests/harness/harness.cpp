#include "tests/harness/harness.h"

#include <psapi.h>

#include <cstdio>
#include <filesystem>

#include "app/identifiers.h"
#include "tools/standin/standin_protocol.h"

namespace e2e {
namespace {

constexpr DWORD POLL_MS = 10;
constexpr DWORD SEND_TIMEOUT_MS = 3000;
constexpr DWORD KILL_WAIT_MS = 3000;
constexpr int START_ATTEMPTS = 5;
constexpr DWORD START_RETRY_MS = 200;
constexpr DWORD STANDIN_START_MS = 8000;
constexpr DWORD FOCUS_WAIT_MS = 3000;
constexpr DWORD FOCUS_RETRY_MS = 300;
constexpr DWORD SHOW_SETTLE_MS = 1000;
constexpr const wchar_t* BOX_CLASS = L"#32770";
constexpr const wchar_t* BOX_CAPTION = L"FLG";
constexpr const wchar_t* MAIN_TITLE = L"FLG";
constexpr const wchar_t* EDIT_TITLE = L"FLG - Edit";
constexpr int BOX_TEXT_ID = 1004;
constexpr int BOX_FIRST_BUTTON_ID = 1001;

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text = path;
    return text.substr(0, text.find_last_of(L"\\/"));
}

std::wstring UniqueTempFolder(const std::wstring& tag) {
    static int counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring base = temp;
    if (!base.empty() && base.back() == L'\\')
        base.pop_back();
    return base + L"\\flg-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount());
}

struct FindRequest {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* title;
    bool visibleOnly;
    const wchar_t* notClassName;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<FindRequest*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != request->pid)
        return TRUE;
    if (request->visibleOnly && !IsWindowVisible(window))
        return TRUE;
    wchar_t className[256] = {};
    GetClassNameW(window, className, 256);
    if (request->className && lstrcmpW(className, request->className) != 0)
        return TRUE;
    if (request->notClassName && lstrcmpW(className, request->notClassName) == 0)
        return TRUE;
    if (request->title) {
        wchar_t title[256] = {};
        GetWindowTextW(window, title, 256);
        if (lstrcmpW(title, request->title) != 0)
            return TRUE;
    }
    request->found = window;
    return FALSE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(POLL_MS);
    }
}

Tree::Tree(const std::wstring& programName, const std::wstring& folderTag)
    : root_(UniqueTempFolder(folderTag)), programName_(programName) {
    CreateDirectoryW(root_.c_str(), nullptr);
    CreateDirectoryW(Tools().c_str(), nullptr);
    CreateDirectoryW((root_ + L"\\Settings").c_str(), nullptr);
    const std::wstring bin = ExeFolder();
    CopyFileW((bin + L"\\FlagsmithII.exe").c_str(), ProgramPath().c_str(), FALSE);
    CopyFileW((bin + L"\\Alertkit.dll").c_str(), ToolsFile(L"Alertkit.dll").c_str(), FALSE);
    WritePresets("-gen gas\r\n-gen gas64\r\n");
    WriteWinFbeIni(L"-w all -fpmode fast -fpu sse -gen gas64", std::wstring(REAL_FBC32));
}

Tree::~Tree() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(root_), ignored);
}

bool Tree::Complete() const {
    return FileExists(ProgramPath()) && FileExists(ToolsFile(L"Alertkit.dll")) &&
           DirectoryExists(root_ + L"\\Settings");
}

void Tree::WritePresets(const std::string& bytes) const {
    WriteBytes(ToolsFile(L"FlagsmithII.ini"), bytes);
}

void Tree::WriteWinFbeIni(const std::optional<std::wstring>& switches,
                          const std::optional<std::wstring>& fbc32) const {
    std::wstring text =
        L"[Options]\r\n"
        L"Language=english.lang\r\n"
        L"AutoSaveFiles=0\r\n"
        L"\r\n"
        L"[Compiler]\r\n";
    if (fbc32)
        text += L"FBWINCompiler32=" + *fbc32 + L"\r\n";
    text +=
        L"FBWINCompiler64=C:\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\"
        L"fbc64.exe\r\n";
    if (switches)
        text += L"CompilerSwitches=" + *switches + L"\r\n";
    text +=
        L"DefaultCompiler=FBWIN32\r\n"
        L"\r\n"
        L"[Editor]\r\n"
        L"TabSize=4\r\n"
        L"FontName=Courier New\r\n";
    WriteUtf16File(IniPath(), text);
}

std::optional<std::wstring> Tree::Switches() const {
    return IniValue(ReadIniText(IniPath()), L"Compiler", L"CompilerSwitches");
}

void Tree::TouchToolsFile(const std::wstring& name) const {
    WriteBytes(ToolsFile(name), {});
}

Process::~Process() {
    Kill();
    if (process_)
        CloseHandle(process_);
}

bool Process::Start(const std::wstring& exe,
                    const std::wstring& arguments,
                    const std::wstring& folder,
                    int show) {
    if (process_) {
        Kill();
        CloseHandle(process_);
        process_ = nullptr;
    }
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (show >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(show);
    }
    PROCESS_INFORMATION info = {};
    // Under Wine on a loaded machine CreateProcess has failed at once now and then, right
    // after the previous program in the same tree was ended; a user would start it again, and
    // so does the test, naming the error when every try failed.
    DWORD error = 0;
    for (int attempt = 0; attempt < START_ATTEMPTS; ++attempt) {
        if (CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &info))
            break;
        error = GetLastError();
        info.hProcess = nullptr;
        Sleep(START_RETRY_MS);
    }
    if (!info.hProcess) {
        fwprintf(stderr, L"%ls could not be started: error %lu\n", exe.c_str(), error);
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

bool Process::Attach(DWORD pid) {
    if (process_) {
        Kill();
        CloseHandle(process_);
    }
    process_ = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    id_ = process_ ? pid : 0;
    return process_ != nullptr;
}

bool Process::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(DWORD timeoutMs) const {
    if (!process_)
        return std::nullopt;
    bool ended =
        WaitUntil([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (!ended)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void Process::Kill() {
    if (Running()) {
        TerminateProcess(process_, 9);
        WaitForSingleObject(process_, KILL_WAIT_MS);
    }
}

SIZE_T PrivateBytes(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return 0;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    SIZE_T bytes = 0;
    // Wine leaves PrivateUsage at 0 and fills PagefileUsage, which Windows reports as the same
    // commit count.
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters))
        bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    CloseHandle(process);
    return bytes;
}

HWND FindProcessWindow(DWORD pid,
                       const wchar_t* className,
                       const wchar_t* title,
                       bool visibleOnly,
                       const wchar_t* notClassName) {
    FindRequest request{pid, className, title, visibleOnly, notClassName, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

HWND WaitForProcessWindow(DWORD pid,
                          const wchar_t* className,
                          const wchar_t* title,
                          bool visibleOnly,
                          DWORD timeoutMs,
                          const wchar_t* notClassName) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            return (found = FindProcessWindow(pid, className, title, visibleOnly, notClassName)) !=
                   nullptr;
        },
        timeoutMs);
    return found;
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_NORMAL, SEND_TIMEOUT_MS, &copied))
        return {};
    text.resize(copied);
    return text;
}

POINT TopLeft(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

bool IsChecked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS,
                        &state);
    return state == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED,
                        0, SMTO_NORMAL, SEND_TIMEOUT_MS, &ignored);
}

void PostClick(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool Sync(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS, &ignored) != 0;
}

bool BringToFront(HWND window) {
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    const DWORD start = GetTickCount();
    do {
        // Wine gives the target thread no focus window until it has handled its activation,
        // and drops keys injected in that gap; sharing the input state lets SetFocus take at
        // once. A switch that another thread's activation undoes is simply tried again.
        const bool attached = target != self && AttachThreadInput(self, target, TRUE) != FALSE;
        SetForegroundWindow(window);
        SetFocus(window);
        if (attached)
            AttachThreadInput(self, target, FALSE);
        if (WaitUntil([&] { return GetForegroundWindow() == window; }, FOCUS_RETRY_MS))
            return true;
    } while (GetTickCount() - start < FOCUS_WAIT_MS);
    return false;
}

double ShareShowingFace(HWND window, COLORREF face) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return 0;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const DWORD wanted = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    int showing = 0;
    for (int i = 0; bits && i < width * height; ++i)
        showing += (pixels[i] & 0xFFFFFF) == wanted;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return static_cast<double>(showing) / (width * height);
}

bool StandIn::Start(const Tree& tree) {
    logPath_ = tree.KeyLogPath();
    const std::wstring exe = ExeFolder() + L"\\WinFBEStandIn.exe";
    if (!process_.Start(exe, L"\"" + logPath_ + L"\"", tree.Root()))
        return false;
    window_ = WaitForProcessWindow(process_.Id(), STANDIN_CLASS, nullptr, true, STANDIN_START_MS);
    return window_ != nullptr;
}

void StandIn::Minimize() const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, STANDIN_MINIMIZE, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS, &ignored);
}

void StandIn::Restore() const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, STANDIN_RESTORE, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS, &ignored);
}

void StandIn::Close() const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, STANDIN_CLOSE, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS, &ignored);
}

bool StandIn::HasFocus() const {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window_, STANDIN_HAS_FOCUS, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS, &answer);
    return answer == 1;
}

void StandIn::ClearKeys() const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, STANDIN_CLEAR_LOG, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS, &ignored);
}

std::vector<std::string> StandIn::Keys() const {
    std::vector<std::string> lines;
    const std::string bytes = ReadBytes(logPath_);
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

bool Program::Start(const Tree& tree, int show) {
    main_ = nullptr;
    return process_.Start(tree.ProgramPath(), L"", tree.Root(), show);
}

bool Program::Attach(DWORD pid) {
    main_ = nullptr;
    return process_.Attach(pid);
}

HWND Program::WaitMain(DWORD timeoutMs) {
    main_ = WaitForProcessWindow(process_.Id(), nullptr, MAIN_TITLE, true, timeoutMs, BOX_CLASS);
    // The window is visible before the showing has activated it: a window the test brings
    // forward in that gap loses the foreground to it again. Shown, it comes to the front.
    if (main_)
        WaitUntil([&] { return GetForegroundWindow() == main_; }, SHOW_SETTLE_MS);
    return main_;
}

HWND Program::WaitBox(DWORD timeoutMs) {
    return WaitForProcessWindow(process_.Id(), BOX_CLASS, BOX_CAPTION, true, timeoutMs);
}

bool Program::HasBox() const {
    return FindProcessWindow(process_.Id(), BOX_CLASS, BOX_CAPTION, false) != nullptr;
}

std::optional<std::wstring> Program::DismissBox(DWORD timeoutMs) {
    HWND box = WaitBox(timeoutMs);
    if (!box)
        return std::nullopt;
    std::wstring text = WindowText(GetDlgItem(box, BOX_TEXT_ID));
    PostClick(box, BOX_FIRST_BUTTON_ID);
    WaitUntil([&] { return !IsWindow(box); }, SEND_TIMEOUT_MS);
    return text;
}

std::optional<std::wstring> Program::DismissStartupBox(DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindProcessWindow(process_.Id(), BOX_CLASS, BOX_CAPTION, true);
            return box || FindProcessWindow(process_.Id(), nullptr, MAIN_TITLE, true, BOX_CLASS);
        },
        timeoutMs);
    if (!box)
        return std::nullopt;
    std::wstring text = WindowText(GetDlgItem(box, BOX_TEXT_ID));
    PostClick(box, BOX_FIRST_BUTTON_ID);
    return text;
}

HWND Program::WaitEditWindow(DWORD timeoutMs) {
    return WaitForProcessWindow(process_.Id(), nullptr, EDIT_TITLE, true, timeoutMs);
}

std::wstring Program::StatusText() const {
    return WindowText(GetDlgItem(main_, IDC_STATUSBAR));
}

int Program::CheckedOption(int first, int last) const {
    for (int id = first; id <= last; ++id)
        if (IsChecked(main_, id))
            return id;
    return 0;
}

}  // namespace e2e
