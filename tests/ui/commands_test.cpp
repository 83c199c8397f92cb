#include <gtest/gtest.h>

#include <string>

#include "app/settings_file_win.h"
#include "framework/paths_win.h"
#include "tests/ui/ui_fixture.h"
#include "ui/edit_window.h"
#include "ui/main_window.h"
#include "ui/modal.h"

namespace {

using uitest::MainWindowHost;

const std::vector<std::wstring> PRESETS = {L"-gen gas", L"-gen gas64", L"-gen gcc -O 2"};
constexpr int NO_PRESET = 1004;
const std::wstring BASE = L"-w all -fpmode fast -fpu sse ";

// A standard message box of this program: caption "FLG", owned by the main window.
bool FindMessageBox(HWND* found) {
    *found = uitest::FindThreadWindow(L"FLG");
    return *found != nullptr;
}

unsigned char g_modalSeen = 0xFF;
std::wstring g_boxText;

void ConfirmMessageBox(HWND box) {
    g_modalSeen = g_modalActive;
    g_boxText.clear();
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        g_boxText += std::wstring(text) + L"|";
    }
    PostMessageW(box, WM_CLOSE, 0, 0);
}

TEST(Commands, ApplyComposesWritesAndKeepsFlagFiles) {
    struct Case {
        int option;
        bool console, arch686, exx;
        std::wstring line;
        bool arch686After;
    };
    const Case cases[] = {
        // "-gen gas" checks 686.
        {1001, false, false, false, L"-arch 686 " + BASE + L"-gen gas", true},
        // "-gen gas64" clears it.
        {1002, false, true, false, BASE + L"-gen gas64", false},
        {1003, true, true, true, L"-s console -arch 686 -exx " + BASE + L"-gen gcc -O 2", true},
        {1003, true, false, true, L"-s console -exx " + BASE + L"-gen gcc -O 2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option);
        uitest::WriteWinFbeIni(L"", L"");
        MainWindowHost host(PRESETS, false);
        CheckRadioButton(host.Main(), 1001, NO_PRESET, c.option);
        host.SetChecked(IDC_CONSOLE, c.console);
        host.SetChecked(IDC_ARCH686, c.arch686);
        host.SetChecked(IDC_EXX, c.exx);
        host.Command(IDC_APPLY);
        EXPECT_EQ(c.line, uitest::ReadSwitches());
        EXPECT_EQ(c.arch686After, host.Checked(IDC_ARCH686));
        EXPECT_EQ(c.console, uitest::ProgramFileExists(L"Console.dat"));
        EXPECT_EQ(c.arch686After, uitest::ProgramFileExists(L"686.dat"));
        EXPECT_EQ(c.exx, uitest::ProgramFileExists(L"exx.dat"));
        EXPECT_TRUE(host.Checked(c.option));
    }
}

TEST(Commands, ApplyWithoutPresetShowsTheMessageAndChangesNothing) {
    uitest::WriteWinFbeIni(L"unchanged", L"");
    MainWindowHost host(PRESETS, false);
    CheckRadioButton(host.Main(), 1001, NO_PRESET, NO_PRESET);
    host.SetChecked(IDC_CONSOLE, true);
    g_modalSeen = 0xFF;
    uitest::WhenWindowAppears(FindMessageBox, ConfirmMessageBox);
    EXPECT_EQ(0, host.Command(IDC_APPLY));
    EXPECT_EQ(1, g_modalSeen);
    EXPECT_NE(std::wstring::npos, g_boxText.find(L"No valid radio button has been selected."));
    EXPECT_EQ(0, g_modalActive);
    EXPECT_EQ(L"unchanged", uitest::ReadSwitches());
    EXPECT_FALSE(uitest::ProgramFileExists(L"Console.dat"));
}

TEST(Commands, FailedWriteShowsError1WithoutFreezingTheWindowOrder) {
    uitest::WriteWinFbeIni(L"", L"");
    MainWindowHost host(PRESETS, false);
    CheckRadioButton(host.Main(), 1001, NO_PRESET, 1002);
    // Root ignores read-only: a file held open without sharing makes the write fail.
    HANDLE held =
        CreateFileW(uitest::IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    g_modalSeen = 0xFF;
    uitest::WhenWindowAppears(FindMessageBox, ConfirmMessageBox);
    host.Command(IDC_APPLY);
    CloseHandle(held);
    EXPECT_EQ(0, g_modalSeen);
    EXPECT_NE(std::wstring::npos, g_boxText.find(L"Error1"));
}

TEST(Commands, ClearWritesAnEmptyValueWhateverTheNotification) {
    for (int notification : {0, 1, 5}) {
        SCOPED_TRACE(notification);
        uitest::WriteWinFbeIni(L"-s console " + BASE + L"-gen gas", L"");
        MainWindowHost host(PRESETS, false);
        CheckRadioButton(host.Main(), 1001, NO_PRESET, 1001);
        host.SetChecked(IDC_EXX, true);
        host.Command(IDC_CLEAR, notification);
        EXPECT_EQ(L"", uitest::ReadSwitches());
        EXPECT_TRUE(host.Checked(NO_PRESET));
        EXPECT_TRUE(host.Checked(IDC_EXX));
        EXPECT_FALSE(uitest::ProgramFileExists(L"exx.dat"));
    }
}

TEST(Commands, OtherNotificationsOfTheButtonsAreIgnored) {
    uitest::WriteWinFbeIni(L"kept", L"");
    MainWindowHost host(PRESETS, false);
    CheckRadioButton(host.Main(), 1001, NO_PRESET, 1001);
    for (int id : {IDC_APPLY, IDC_EDIT, IDC_BUILD_CONFIG, IDC_COMPILER_SETUP}) {
        SCOPED_TRACE(id);
        host.Command(id, BN_DOUBLECLICKED);
    }
    EXPECT_EQ(L"kept", uitest::ReadSwitches());
    EXPECT_TRUE(uitest::WinFbeWindow::Keys().empty());
}

// Closed while minimised (WinFBE was minimised, then the user closed the program from the
// taskbar): the file keeps where the window comes back to, not its parking place (an icon's
// place near the bottom of the screen under Wine, about (-32000, -32000) on Windows).
TEST(Commands, MinimisedWindowSavesWhereItComesBackTo) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {
        {"WM_CLOSE", WM_CLOSE, 0},
        {"system menu Close", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uitest::WriteWinFbeIni(L"", L"");
        MainWindowHost host(PRESETS, false);
        SetWindowPos(host.Main(), nullptr, 210, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(host.Main(), SW_SHOWNOACTIVATE);
        ShowWindow(host.Main(), SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(host.Main()));
        SendMessageW(host.Main(), c.message, c.wParam, 0);
        EXPECT_FALSE(IsWindow(host.Main()));
        ASSERT_TRUE(g_iniPath.ReadPosition());
        EXPECT_EQ(210, g_savedLeft);
        EXPECT_EQ(150, g_savedTop);
    }
}

TEST(Commands, StartupSelectionFollowsTheLine) {
    struct Case {
        std::string line;
        int selected;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"-arch 686 -w all -fpmode fast -fpu sse -gen gas", 1001, nullptr},
        {"-w all -fpmode fast -fpu sse -gen gas64", 1002, nullptr},
        {"-w all -fpmode fast -fpu sse -gen gas64 ", NO_PRESET, L"No preset match."},
        {"", NO_PRESET, L"'CompilerSwitches' in WinFBE.ini is empty."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        MainWindowHost host(PRESETS, false);
        g_boxText.clear();
        g_modalSeen = 0xFF;
        if (c.message) {
            uitest::WhenWindowAppears(FindMessageBox, ConfirmMessageBox);
        }
        SelectPresetForLine(c.line);
        EXPECT_TRUE(host.Checked(c.selected));
        EXPECT_FALSE(host.Checked(IDC_ARCH686));
        if (c.message) {
            EXPECT_EQ(1, g_modalSeen);
            EXPECT_NE(std::wstring::npos, g_boxText.find(c.message));
        }
    }
}

// The edit window, driven from a thread timer inside its own message loop.
struct EditSeen {
    std::wstring field;
    DWORD selStart = 1, selEnd = 0;
    bool fieldFocused = false;
    bool mainEnabled = true;
    unsigned char modal = 0;
    std::wstring okCaption, cancelCaption;
    RECT rect = {};
};
EditSeen g_seen;
const wchar_t* g_newText = nullptr;

bool FindEditWindow(HWND* found) {
    *found = uitest::FindThreadWindow(L"FLG - Edit");
    return *found != nullptr;
}

void DriveEditWindow(HWND window) {
    HWND field = GetDlgItem(window, IDC_SWITCHES_TEXT);
    wchar_t text[512] = {};
    GetWindowTextW(field, text, 512);
    g_seen.field = text;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&g_seen.selStart),
                 reinterpret_cast<LPARAM>(&g_seen.selEnd));
    g_seen.fieldFocused = GetFocus() == field;
    g_seen.mainEnabled = IsWindowEnabled(g_hwndMain) != FALSE;
    g_seen.modal = g_modalActive;
    GetWindowTextW(GetDlgItem(window, IDOK), text, 512);
    g_seen.okCaption = text;
    GetWindowTextW(GetDlgItem(window, IDCANCEL), text, 512);
    g_seen.cancelCaption = text;
    GetWindowRect(window, &g_seen.rect);
    if (g_newText) {
        SetWindowTextW(field, g_newText);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

TEST(EditCommand, OkWritesTheLineAndSelectsItsPreset) {
    struct Case {
        const wchar_t* newText;  // null: Cancel
        std::wstring written;
        int selected;
        LRESULT answer;
    };
    const std::wstring start = L"-s console " + BASE + L"-gen gas64";
    const std::wstring longer = start + L" -O 2";
    const Case cases[] = {
        {start.c_str(), start, 1002, 0},
        {longer.c_str(), longer, NO_PRESET, 0},
        {L"", start, 1001, -1},
        {nullptr, start, 1001, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newText ? c.newText : L"(cancel)");
        uitest::WriteWinFbeIni(start, L"");
        MainWindowHost host(PRESETS, false);
        CheckRadioButton(host.Main(), 1001, NO_PRESET, 1001);
        g_seen = EditSeen();
        g_newText = c.newText;
        uitest::WhenWindowAppears(FindEditWindow, DriveEditWindow);
        EXPECT_EQ(c.answer, host.Command(IDC_EDIT));

        EXPECT_EQ(start, g_seen.field);
        EXPECT_EQ(0u, g_seen.selStart);
        EXPECT_EQ(start.size(), g_seen.selEnd);
        EXPECT_TRUE(g_seen.fieldFocused);
        EXPECT_FALSE(g_seen.mainEnabled);
        EXPECT_EQ(1, g_seen.modal);
        EXPECT_EQ(L'&', g_seen.okCaption[0]);
        EXPECT_EQ(L'&', g_seen.cancelCaption[0]);
        EXPECT_EQ(326, g_seen.rect.right - g_seen.rect.left);
        EXPECT_EQ(142, g_seen.rect.bottom - g_seen.rect.top);

        EXPECT_EQ(c.written, uitest::ReadSwitches());
        EXPECT_TRUE(host.Checked(c.selected));
        EXPECT_TRUE(IsWindowEnabled(host.Main()));
        EXPECT_EQ(0, g_modalActive);
        EXPECT_FALSE(host.Checked(IDC_CONSOLE)) << "the line's flags do not check boxes";
    }
}

}  // namespace

namespace {

// A line longer than the field shows: OK on the unchanged field must not write it back cut.
TEST(EditCommand, OkOnAnUnchangedLongLineLeavesItWhole) {
    const std::wstring longLine = L"-s console " + BASE + L"-gen gas64 " + std::wstring(300, L'O');
    const std::wstring shown = longLine.substr(0, 259);
    uitest::WriteWinFbeIni(longLine, L"");
    MainWindowHost host(PRESETS, false);
    CheckRadioButton(host.Main(), 1001, NO_PRESET, 1002);
    g_seen = EditSeen();
    g_newText = shown.c_str();
    uitest::WhenWindowAppears(FindEditWindow, DriveEditWindow);
    EXPECT_EQ(0, host.Command(IDC_EDIT));
    EXPECT_EQ(shown, g_seen.field);
    EXPECT_EQ(longLine, uitest::ReadSwitches());
    EXPECT_TRUE(host.Checked(NO_PRESET)) << "the selection follows the line shown";
    EXPECT_EQ(0, g_modalActive);
}

HWND g_editWindow = nullptr;
wchar_t g_editClass[64] = {};

void QuitTheMainLoop(HWND window) {
    g_editWindow = window;
    GetClassNameW(window, g_editClass, 64);
    PostQuitMessage(7);
}

// A quit meant for the main loop ends the edit window's loop too, which hands it on. The edit
// window must not outlive its loop: its object deletes the font its controls use and unregisters
// its class.
TEST(EditCommand, QuitForTheMainLoopTakesTheEditWindowAlong) {
    uitest::WriteWinFbeIni(L"kept", L"");
    MainWindowHost host(PRESETS, false);
    g_editWindow = nullptr;
    uitest::WhenWindowAppears(FindEditWindow, QuitTheMainLoop);
    PostMessageW(host.Main(), WM_COMMAND, MAKEWPARAM(IDC_EDIT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(host.Item(IDC_EDIT)));
    EXPECT_EQ(7, host.App().RunMessageLoop(SW_SHOWNOACTIVATE)) << "the main loop's quit";
    ASSERT_NE(nullptr, g_editWindow);
    EXPECT_FALSE(IsWindow(g_editWindow));
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), g_editClass, &info));
    EXPECT_TRUE(IsWindow(host.Main()));
    EXPECT_TRUE(IsWindowEnabled(host.Main()));
    EXPECT_EQ(0, g_modalActive);
    EXPECT_EQ(L"kept", uitest::ReadSwitches());
}

}  // namespace
