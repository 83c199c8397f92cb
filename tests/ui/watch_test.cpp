#include <gtest/gtest.h>

#include <string>

#include "tests/ui/ui_fixture.h"
#include "ui/main_window.h"
#include "ui/modal.h"
#include "ui/watch.h"

namespace {

using uitest::MainWindowHost;

const std::vector<std::wstring> PRESETS = {L"-gen gas", L"-gen gas64"};

std::wstring StatusText() {
    wchar_t text[1024] = {};
    GetWindowTextW(g_hwndStatus, text, 1024);
    return text;
}

TEST(Watch, StatusTextFollowsTheCompilerPath) {
    struct Case {
        std::wstring path;
        std::wstring status;
    };
    // The longest text: a 259-character value without "-" and "\" is both versions.
    const std::wstring longest(259, L'x');
    const Case cases[] = {
        {longest, L" fbc " + longest + L" / gcc " + longest},
        {L"C:\\WinFBE\\Toolchains\\FreeBASIC-1.2-winlibs-gcc-3.4\\fbc32.exe",
         L" fbc 1.2 / gcc 3.4"},
        {L"", L" fbc  / gcc "},
        {L"C:\\WinFBE\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe", L" fbc 1.10.1 / gcc 9.3.0"},
    };
    MainWindowHost host(PRESETS, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        uitest::WriteWinFbeIni(L"", c.path);
        EXPECT_TRUE(WatchTick(host.Main()));
        EXPECT_EQ(c.status, StatusText());
    }
}

// A status bar text changed behind the tick's back stays: the tick sends only changes.
TEST(Watch, StatusTextIsSentOnlyWhenItChanged) {
    MainWindowHost host(PRESETS, false);
    uitest::WriteWinFbeIni(L"", L"x-1.0-gcc-2.0\\fbc.exe");
    WatchTick(host.Main());
    EXPECT_EQ(L" fbc 1.0 / gcc 2.0", StatusText());
    SetWindowTextW(g_hwndStatus, L"marker");
    WatchTick(host.Main());
    EXPECT_EQ(L"marker", StatusText());
}

TEST(Watch, FollowsWinFbesMinimisation) {
    uitest::WriteWinFbeIni(L"", L"");
    MainWindowHost host(PRESETS, false);
    ShowWindow(host.Main(), SW_SHOWNORMAL);
    ShowWindow(host.WinFbe().Handle(), SW_MINIMIZE);
    EXPECT_FALSE(WatchTick(host.Main()));
    EXPECT_TRUE(IsIconic(host.Main()));
    EXPECT_EQ(1, g_followMinimized);
    EXPECT_TRUE(WatchTick(host.Main()));
    EXPECT_TRUE(IsIconic(host.Main()));

    ShowWindow(host.WinFbe().Handle(), SW_RESTORE);
    EXPECT_FALSE(WatchTick(host.Main()));
    EXPECT_FALSE(IsIconic(host.Main()));
    EXPECT_EQ(0, g_followMinimized);

    // Disabled from the restore until a later tick; a box that opened meanwhile keeps it so.
    for (const bool boxUp : {false, true}) {
        EXPECT_FALSE(IsWindowEnabled(host.Main()));
        HWND box = boxUp ? CreateWindowExW(0, L"Static", L"box", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9,
                                           host.Main(), nullptr, nullptr, nullptr)
                         : nullptr;
        uitest::Pump(100);
        WatchTick(host.Main());
        EXPECT_FALSE(IsWindowEnabled(host.Main())) << "enabled too early";
        uitest::Pump(300);
        WatchTick(host.Main());
        EXPECT_EQ(!boxUp, IsWindowEnabled(host.Main()) != FALSE);
        DestroyWindow(box);
        ShowWindow(host.WinFbe().Handle(), SW_MINIMIZE);
        WatchTick(host.Main());
        ShowWindow(host.WinFbe().Handle(), SW_RESTORE);
        WatchTick(host.Main());
    }
}

TEST(Watch, ClosesWhenWinFbeHasGoneAndSavesThePosition) {
    uitest::WriteWinFbeIni(L"", L"");
    MainWindowHost host(PRESETS, false);
    host.WinFbe().Destroy();
    EXPECT_FALSE(WatchTick(host.Main()));
    EXPECT_FALSE(IsWindow(host.Main()));
    EXPECT_TRUE(uitest::ProgramFileExists(L"CSposition.dat"));
}

// Closed while minimised: the first tick restores, the second closes.
TEST(Watch, MinimisedWinFbeGoneTakesTwoTicks) {
    uitest::WriteWinFbeIni(L"", L"");
    MainWindowHost host(PRESETS, false);
    ShowWindow(host.WinFbe().Handle(), SW_MINIMIZE);
    WatchTick(host.Main());
    host.WinFbe().Destroy();
    EXPECT_FALSE(WatchTick(host.Main()));
    EXPECT_TRUE(IsWindow(host.Main()));
    EXPECT_FALSE(IsIconic(host.Main()));
    EXPECT_FALSE(WatchTick(host.Main()));
    EXPECT_FALSE(IsWindow(host.Main()));
}

bool IsTopmost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST(Watch, WindowOrderFollowsTheForegroundUnlessFrozen) {
    uitest::WriteWinFbeIni(L"", L"");
    MainWindowHost host(PRESETS, false);
    HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 500, 500, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(other, GetForegroundWindow());

    {
        const ModalScope modal;
        EXPECT_TRUE(WatchTick(host.Main()));
        EXPECT_TRUE(IsTopmost(host.Main()));
    }

    EXPECT_TRUE(WatchTick(host.Main()));
    EXPECT_FALSE(IsTopmost(host.Main()));
    EXPECT_EQ(host.Main(), GetWindow(other, GW_HWNDNEXT))
        << "not directly below the window in front";
    EXPECT_EQ(0, g_isTopmost);
    EXPECT_EQ(other, GetForegroundWindow()) << "the order changes, the foreground stays";
    // Raised above it behind the tick's back, it goes below again on the next tick.
    SetWindowPos(host.Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(WatchTick(host.Main()));
    EXPECT_EQ(host.Main(), GetWindow(other, GW_HWNDNEXT));

    SetForegroundWindow(host.WinFbe().Handle());
    ASSERT_EQ(host.WinFbe().Handle(), GetForegroundWindow());
    EXPECT_TRUE(WatchTick(host.Main()));
    EXPECT_TRUE(IsTopmost(host.Main()));
    EXPECT_EQ(1, g_isTopmost);
    EXPECT_EQ(host.WinFbe().Handle(), GetForegroundWindow());
    DestroyWindow(other);
}

int placements = 0;
WNDPROC mainProc = nullptr;

LRESULT CALLBACK CountingPlacements(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    placements += message == WM_WINDOWPOSCHANGING;
    return CallWindowProcW(mainProc, window, message, wParam, lParam);
}

// The desktop in front is no application: one placement out of the topmost band, then none.
TEST(Watch, DesktopInFrontIsPlacedOnceIn50Ticks) {
    uitest::WriteWinFbeIni(L"", L"");
    MainWindowHost host(PRESETS, false);
    ShowWindow(host.Main(), SW_SHOWNORMAL);
    WatchTick(host.Main());
    mainProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        host.Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingPlacements)));
    placements = 0;
    // Wine reports the desktop window, or here no window at all.
    SetForegroundWindow(GetDesktopWindow());
    const HWND front = GetForegroundWindow();
    ASSERT_TRUE(front == GetDesktopWindow() || !front) << front;
    for (int tick = 0; tick < 50; ++tick)
        WatchTick(host.Main());
    EXPECT_EQ(1, placements);
    EXPECT_FALSE(IsTopmost(host.Main()));
}

TEST(Watch, TimerStartsWithTheWindowAndClosesTheProgramsWindow) {
    uitest::WriteWinFbeIni(L"", L"");
    MainWindowHost host(PRESETS, false);
    host.WinFbe().Destroy();
    uitest::Pump(400);
    EXPECT_FALSE(IsWindow(host.Main()));
}

}  // namespace
