// The real main window in this process: hundreds of message boxes over it, edit-window
// openings and watch ticks must give back every GDI and USER object they take. Wine reports
// no object counts, but the number of objects in use can be read from where fresh objects
// land in its handle tables (see SlotsInUse).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/preset_list.h"
#include "app/settings_file_win.h"
#include "framework/app_window_win.h"
#include "framework/paths_win.h"
#include "ui/main_window.h"
#include "ui/modal.h"
#include "ui/message_box.h"
#include "ui/watch.h"

namespace {

constexpr UINT DISMISS_PERIOD_MS = 10;
constexpr int BOX_OK_ID = 1001;
constexpr const wchar_t* BOX_CLASS = L"#32770";
constexpr const wchar_t* BOX_CAPTION = L"FLG";
constexpr const wchar_t* EDIT_TITLE = L"FLG - Edit";
constexpr const wchar_t* REAL_FBC32 =
    L"C:\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe";
constexpr const wchar_t* OTHER_FBC32 = L"D:\\FreeBASIC-1.09.0-win32-gcc-5.2.0\\fbc.exe";
constexpr int WARM_UP = 5;
constexpr int BOXES = 200;
constexpr int EDIT_OPENINGS = 50;
constexpr int TICKS = 300;
constexpr int GDI_PROBES = 1000;
constexpr int USER_PROBES = 300;
// Under Wine the count wavers by one from box to box, leak or not; one leaked object per
// cycle moves it by the cycle count.
constexpr int PLATFORM_SLACK = 1;

std::wstring TestFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"flagsmith_resource_" + std::to_wstring(GetCurrentProcessId());
}

std::wstring IniFile() {
    return TestFolder() + L"\\WinFBE.ini";
}

void WriteIni(const wchar_t* compilerPath) {
    const std::wstring text =
        L"\xFEFF[Compiler]\r\nCompilerSwitches=-w all -fpmode fast -fpu sse -gen gas\r\n"
        L"FBWINCompiler32=" +
        std::wstring(compilerPath) + L"\r\n";
    HANDLE file = CreateFileW(IniFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
              nullptr);
    CloseHandle(file);
}

// Wine reuses freed handle-table slots before unused ones, most recently freed first, so a
// single probe object lands on whichever slot was freed last. Enough fresh objects fill every
// free slot and reach past the used part of the table: their highest slot, less their number,
// moves only with the number of objects in use.
template <typename Make, typename Free>
int SlotsInUse(int probes, Make make, Free free) {
    std::vector<HANDLE> made;
    int top = 0;
    for (int i = 0; i < probes; ++i) {
        HANDLE object = make();
        top = std::max(top, static_cast<int>(LOWORD(reinterpret_cast<UINT_PTR>(object))));
        made.push_back(object);
    }
    for (HANDLE object : made)
        free(object);
    return top - probes;
}

int GdiInUse() {
    return SlotsInUse(
        GDI_PROBES, [] { return static_cast<HANDLE>(CreateSolidBrush(RGB(1, 2, 3))); },
        [](HANDLE brush) { DeleteObject(brush); });
}

int UserInUse() {
    return SlotsInUse(
        USER_PROBES,
        [] {
            return static_cast<HANDLE>(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr,
                                                       nullptr, GetModuleHandleW(nullptr),
                                                       nullptr));
        },
        [](HANDLE window) { DestroyWindow(static_cast<HWND>(window)); });
}

// Closes every box and edit window of this thread as soon as a modal loop has shown it.
int g_dismissed = 0;

BOOL CALLBACK DismissOne(HWND window, LPARAM) {
    if (!IsWindowVisible(window))
        return TRUE;
    wchar_t className[32] = {};
    wchar_t title[32] = {};
    GetClassNameW(window, className, 32);
    GetWindowTextW(window, title, 32);
    int button = 0;
    if (lstrcmpW(className, BOX_CLASS) == 0 && lstrcmpW(title, BOX_CAPTION) == 0)
        button = BOX_OK_ID;
    else if (lstrcmpW(title, EDIT_TITLE) == 0)
        button = IDCANCEL;
    if (!button || GetPropW(window, L"dismissed"))
        return TRUE;
    SetPropW(window, L"dismissed", reinterpret_cast<HANDLE>(1));
    PostMessageW(GetDlgItem(window, button), BM_CLICK, 0, 0);
    ++g_dismissed;
    return FALSE;
}

void CALLBACK Dismiss(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), DismissOne, 0);
}

LRESULT CALLBACK WinFbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateDirectoryW(TestFolder().c_str(), nullptr);
        WriteIni(REAL_FBC32);
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = WinFbeProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = WINFBE_CLASS;
        RegisterClassW(&windowClass);
        winFbe = CreateWindowExW(0, WINFBE_CLASS, L"WinFBE", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        g_iniPath = SettingsFile(IniFile().c_str(), ExecutableFolder().Text());
        SetPresetList({L"-gen gas", L"-gen gas64"});
        g_msgFontSize = 8;
        app = new AppWindow;
        app->ReplaceFont(L"Tahoma", 8, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET);
        BuildMainWindow(*app, false);
        timer = SetTimer(nullptr, 0, DISMISS_PERIOD_MS, Dismiss);
    }
    static void TearDownTestSuite() {
        KillTimer(nullptr, timer);
        if (IsWindow(g_hwndMain)) {
            KillTimer(g_hwndMain, IDT_WATCH);
            DestroyWindow(g_hwndMain);
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        delete app;
        app = nullptr;
        DestroyWindow(winFbe);
        DeleteFileW(IniFile().c_str());
        RemoveDirectoryW(TestFolder().c_str());
    }
    void SetUp() override { ASSERT_TRUE(IsWindow(g_hwndMain)); }

    static void Command(int id) {
        SendMessageW(g_hwndMain, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(g_hwndMain, id)));
    }

    // Runs the cycle count times after a few unmeasured runs (first-use caches of the platform)
    // and expects as many objects in use afterwards as before.
    static void ExpectNoLeak(int count, void (*cycle)(int)) {
        for (int i = 0; i < WARM_UP; ++i)
            cycle(i);
        const int gdi = GdiInUse();
        const int user = UserInUse();
        for (int i = 0; i < count; ++i)
            cycle(i);
        EXPECT_NEAR(GdiInUse(), gdi, PLATFORM_SLACK)
            << "GDI objects leaked over " << count << " cycles";
        EXPECT_NEAR(UserInUse(), user, PLATFORM_SLACK)
            << "USER objects leaked over " << count << " cycles";
    }

    static AppWindow* app;
    static HWND winFbe;
    static UINT_PTR timer;
};

AppWindow* Resources::app = nullptr;
HWND Resources::winFbe = nullptr;
UINT_PTR Resources::timer = 0;

TEST_F(Resources, MessageBoxesOverTheMainWindowGiveBackTheirObjects) {
    // No preset is selected, so every Apply shows "No valid radio button has been selected.".
    g_dismissed = 0;
    ExpectNoLeak(BOXES, [](int) { Command(IDC_APPLY); });
    EXPECT_EQ(g_dismissed, WARM_UP + BOXES);
    EXPECT_EQ(g_modalActive, 0);
}

TEST_F(Resources, EditWindowOpeningsGiveBackTheirObjects) {
    g_dismissed = 0;
    ExpectNoLeak(EDIT_OPENINGS, [](int) { Command(IDC_EDIT); });
    EXPECT_EQ(g_dismissed, WARM_UP + EDIT_OPENINGS);
    EXPECT_TRUE(IsWindowEnabled(g_hwndMain));
    EXPECT_EQ(g_modalActive, 0);
}

TEST_F(Resources, WatchTicksGiveBackTheirObjects) {
    // A changing compiler path makes every few ticks set a new status text.
    ExpectNoLeak(TICKS, [](int i) {
        if (i % 10 == 0)
            WriteIni(i % 20 ? REAL_FBC32 : OTHER_FBC32);
        WatchTick(g_hwndMain);
    });
    EXPECT_TRUE(IsWindow(g_hwndMain)) << "the tick lost the stand-in WinFBE";
}

}  // namespace
