#include "ui/keystrokes.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/ui_fixture.h"
#include "ui/main_window.h"

namespace {

using uitest::MainWindowHost;

const std::vector<std::wstring> PRESETS = {L"-gen gas", L"-gen gas64"};

std::string Describe(const KeySequence& sequence) {
    std::string text;
    for (int i = 0; i < sequence.count; ++i) {
        const KeyEvent& event = sequence.events[i];
        const char* name = event.virtualKey == VK_SHIFT  ? "Shift"
                           : event.virtualKey == VK_F7   ? "F7"
                           : event.virtualKey == VK_UP   ? "Up"
                           : event.virtualKey == VK_DOWN ? "Down"
                                                         : "?";
        text += std::string(event.release ? "-" : "+") + name + " ";
    }
    return text;
}

TEST(Keystrokes, SequencesInOrder) {
    EXPECT_EQ("+F7 -F7 ", Describe(BUILD_CONFIG_KEYS));
    // Only the press is followed by a wait; the release comes after the resolution is released.
    EXPECT_EQ(1, BUILD_CONFIG_KEYS.timedCount);

    std::string setup = "+Shift +F7 -F7 -Shift ";
    for (int i = 0; i < 7; ++i) {
        setup += "+Up -Up ";
    }
    for (int i = 0; i < 4; ++i) {
        setup += "+Down -Down ";
    }
    EXPECT_EQ(setup, Describe(COMPILER_SETUP_KEYS));
    EXPECT_EQ(26, COMPILER_SETUP_KEYS.count);
    EXPECT_EQ(26, COMPILER_SETUP_KEYS.timedCount);
}

TEST(Keystrokes, WaitForWinFbeFocusOnlyWhileFoundUnfocusedAndWithinTheLimit) {
    struct Case {
        bool found, focus;
        DWORD waitedMs;
        bool keepWaiting;
    };
    const Case cases[] = {
        {false, false, 0, false},    {false, false, 100, false}, {true, true, 0, false},
        {true, false, 0, true},      {true, false, 249, true},   {true, false, 250, false},
        {true, false, 60000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.found << c.focus << " " << c.waitedMs);
        EXPECT_EQ(c.keepWaiting, KeepWaitingForFocus(c.found, c.focus, c.waitedMs));
    }
}

TEST(Keystrokes, ModifierWaitEndsQuietAfterTheLastReleaseOrAtItsLimits) {
    struct Case {
        bool released;
        DWORD waitedMs, sinceReleaseMs;
        bool ends;
    } cases[] = {
        {false, 99, 99, false}, {false, 100, 100, true}, {true, 120, 29, false},
        {true, 40, 30, true},   {true, 249, 0, false},   {true, 250, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.released << " " << c.waitedMs << " " << c.sinceReleaseMs);
        EXPECT_EQ(c.ends, ModifierWaitEnds(c.released, c.waitedMs, c.sinceReleaseMs));
    }
}

TEST(Keystrokes, ReachWinFbeInOrderWithScanCodes) {
    uitest::WriteWinFbeIni(L"", L"");
    MainWindowHost host(PRESETS, false);
    HWND winFbe = host.WinFbe().Handle();
    SetForegroundWindow(host.Main());
    host.Command(IDC_COMPILER_SETUP);
    uitest::Pump(300);
    EXPECT_EQ(winFbe, GetForegroundWindow());

    std::string seen;
    for (const uitest::WinFbeWindow::Key& key : uitest::WinFbeWindow::Keys()) {
        const bool down = key.message == WM_KEYDOWN || key.message == WM_SYSKEYDOWN;
        seen += (down ? "+" : "-") + std::to_string(key.virtualKey) + " ";
        EXPECT_EQ(static_cast<int>(
                      MapVirtualKeyW(static_cast<UINT>(key.virtualKey), MAPVK_VK_TO_VSC) & 0xFF),
                  key.scanCode);
    }
    std::string expected = "+16 +118 -118 -16 ";
    for (int i = 0; i < 7; ++i) {
        expected += "+38 -38 ";
    }
    for (int i = 0; i < 4; ++i) {
        expected += "+40 -40 ";
    }
    EXPECT_EQ(expected, seen);

    uitest::WinFbeWindow::Keys().clear();
    host.Command(IDC_BUILD_CONFIG);
    uitest::Pump(200);
    ASSERT_EQ(2u, uitest::WinFbeWindow::Keys().size());
    EXPECT_EQ(static_cast<WPARAM>(VK_F7), uitest::WinFbeWindow::Keys()[0].virtualKey);
    EXPECT_EQ(static_cast<UINT>(WM_KEYUP), uitest::WinFbeWindow::Keys()[1].message);
}

}  // namespace
