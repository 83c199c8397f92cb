// Drives the real FlagsmithII.exe beside the stand-in WinFBE, from outside, by window
// messages and by the files the program reads and writes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "tests/harness/program_test.h"
#include "app/identifiers.h"

using e2e::IsChecked;
using e2e::Line;
using e2e::Narrow;
using e2e::PositionBytes;
using e2e::PostClick;
using e2e::REAL_FBC32;
using e2e::TopLeft;
using e2e::WaitUntil;

namespace {

constexpr DWORD TICKS_MS = 1000;  // a few watch ticks of 100 ms
constexpr DWORD EXIT_MS = 1000;   // the program's exit after WinFBE has gone
constexpr DWORD START_MS = 8000;
constexpr DWORD WRITE_MS = 3000;
constexpr DWORD SETTLE_MS = 300;  // long enough for a stray extra event to arrive

constexpr const char* TWO_PRESETS = "-gen gas\r\n-gen gas64\r\n";
constexpr const char* THREE_PRESETS = "-gen gas\r\n-gen gas64\r\n-lang qb\r\n";

bool IsTopmost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Where the window stands once nothing has moved it for SETTLE_MS. A window manager answers a
// placement (the program's own at its start, another program's move) with the place it gave
// the frame, a moment later: what the program saves is that place, not the one asked for.
POINT SettledTopLeft(HWND window) {
    POINT at = TopLeft(window);
    for (DWORD since = GetTickCount(); GetTickCount() - since < SETTLE_MS;) {
        WaitUntil([] { return false; }, SETTLE_MS / 6);
        const POINT now = TopLeft(window);
        if (now.x != at.x || now.y != at.y) {
            at = now;
            since = GetTickCount();
        }
    }
    return at;
}

// Whether a person sees the window: most of its client area shows its face on the screen.
// Only under a window manager: without one, Wine draws the window activated last on top,
// whatever the window order says.
bool InSight(HWND window) {
    return WaitUntil([&] { return e2e::ShareShowingFace(window) > 0.5; }, TICKS_MS);
}

// The platform's own button caption (a string of user32) with an access key, else the fallback.
std::wstring PlatformCaption(UINT id, const wchar_t* fallback) {
    wchar_t text[260] = {};
    if (LoadStringW(GetModuleHandleW(L"user32.dll"), id, text, 260) == 0)
        return fallback;
    return std::wstring(L"&") + text;
}

int Scaled(int units) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(units, dpi, 96);
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Every visible state a command could change: the settings file, the flag files, the boxes.
struct Snapshot {
    std::string ini;
    bool files[3];
    bool boxes[3];
    int option;
    bool operator==(const Snapshot& o) const {
        return ini == o.ini && option == o.option && std::equal(files, files + 3, o.files) &&
               std::equal(boxes, boxes + 3, o.boxes);
    }
};

class E2e : public e2e::ProgramTest {
protected:
    Snapshot Take(int lastOption) {
        Snapshot s{};
        s.ini = e2e::ReadBytes(tree->IniPath());
        const wchar_t* names[3] = {L"Console.dat", L"686.dat", L"exx.dat"};
        const int ids[3] = {IDC_CONSOLE, IDC_ARCH686, IDC_EXX};
        for (int i = 0; i < 3; ++i) {
            s.files[i] = tree->HasToolsFile(names[i]);
            s.boxes[i] = IsChecked(Main(), ids[i]);
        }
        s.option = program.CheckedOption(IDC_PRESET_FIRST, lastOption);
        return s;
    }

    // Waits until a command posted to the program has been handled and its loop is idle.
    void Settle() {
        e2e::Sync(Main());
        WaitUntil([] { return false; }, SETTLE_MS);
        e2e::Sync(Main());
    }
};

TEST_F(E2e, MatchingLineSelectsItsPresetWithoutMessageAndFlagFilesSetTheBoxes) {
    struct Case {
        const wchar_t* line;
        int option;
    } cases[] = {
        {L"-arch 686 -w all -fpmode fast -fpu sse -gen gas", IDC_PRESET_FIRST},
        {L"-w all -fpmode fast -fpu sse -gen gas64", IDC_PRESET_FIRST + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.line));
        SetUp();
        tree->WritePresets(TWO_PRESETS);
        tree->WriteWinFbeIni(c.line, REAL_FBC32);
        tree->TouchToolsFile(L"Console.dat");
        CreateDirectoryW(tree->ToolsFile(L"exx.dat").c_str(), nullptr);
        ASSERT_TRUE(StartBoth());
        EXPECT_FALSE(program.HasBox());
        EXPECT_EQ(program.CheckedOption(IDC_PRESET_FIRST, IDC_PRESET_FIRST + 2), c.option);
        EXPECT_TRUE(IsChecked(Main(), IDC_CONSOLE));
        EXPECT_FALSE(IsChecked(Main(), IDC_ARCH686)) << "the line's -arch 686 must not set the box";
        EXPECT_FALSE(IsChecked(Main(), IDC_EXX)) << "a folder exx.dat is no flag file";
        EXPECT_TRUE(IsTopmost(Main()));
        const SIZE client = ClientSize(Main());
        EXPECT_EQ(client.cx, Scaled(135));
        EXPECT_EQ(client.cy, Scaled(252));
        TearDown();
    }
}

TEST_F(E2e, UnmatchedOrEmptyLineShowsItsMessageAndSelectsNoPresetUsed) {
    struct Case {
        std::optional<std::wstring> line;
        const wchar_t* message;
    } cases[] = {
        {L"-w all  -fpmode fast -fpu sse -gen gas", L"No preset match."},
        {L"-exx -s console -w all -fpmode fast -fpu sse -gen gas", L"No preset match."},
        {L"", L"'CompilerSwitches' in WinFBE.ini is empty."},
        {std::nullopt, L"'CompilerSwitches' in WinFBE.ini is empty."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line ? Narrow(*c.line) : "key missing");
        SetUp();
        tree->WriteWinFbeIni(c.line, REAL_FBC32);
        ASSERT_TRUE(standIn.Start(*tree));
        ASSERT_TRUE(program.Start(*tree));
        EXPECT_EQ(program.DismissBox(START_MS).value_or(L"<no box>"), c.message);
        ASSERT_TRUE(program.WaitMain(START_MS));
        EXPECT_TRUE(!e2e::UnderWindowManager() || InSight(Main())) << "not in sight";
        EXPECT_EQ(program.CheckedOption(IDC_PRESET_FIRST, IDC_PRESET_FIRST + 2),
                  IDC_PRESET_FIRST + 2);
        TearDown();
    }
}

TEST_F(E2e, SecondInstanceReportsAndLeavesTheFirstAlone) {
    ASSERT_TRUE(StartBoth());
    const HWND first = Main();
    e2e::Program second;
    ASSERT_TRUE(second.Start(*tree));
    EXPECT_EQ(second.DismissBox(START_MS).value_or(L"<no box>"), L"Flagsmith is already running.");
    EXPECT_EQ(second.Proc().WaitExit(START_MS), std::optional<DWORD>(0));
    EXPECT_TRUE(program.Proc().Running());
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_FALSE(program.HasBox());
    EXPECT_EQ(program.CheckedOption(IDC_PRESET_FIRST, IDC_PRESET_FIRST + 2), IDC_PRESET_FIRST + 1);
}

TEST_F(E2e, ApplyWritesTheComposedLineAndBringsFlagFilesInLine) {
    tree->WritePresets(THREE_PRESETS);
    ASSERT_TRUE(StartBoth());
    struct Step {
        int option;
        bool console, arch686, exx;  // boxes before Apply
        std::wstring line;
        bool after686;  // "686" after the preset rule
    } steps[] = {
        // The preset rules case by case: Commands.ApplyComposesWritesAndKeepsFlagFiles.
        {IDC_PRESET_FIRST + 2, true, true, true, Line(L"-s console -arch 686 -exx ", L"-lang qb"),
         true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(Narrow(s.line));
        if (s.console)
            e2e::WriteBytes(tree->ToolsFile(L"Console.dat"), "keep");
        SendMessageW(GetDlgItem(Main(), s.option), BM_CLICK, 0, 0);
        e2e::SetChecked(Main(), IDC_CONSOLE, s.console);
        e2e::SetChecked(Main(), IDC_ARCH686, s.arch686);
        e2e::SetChecked(Main(), IDC_EXX, s.exx);
        PostClick(Main(), IDC_APPLY);
        EXPECT_TRUE(WaitUntil([&] { return tree->Switches() == s.line; }, WRITE_MS))
            << "written: " << Narrow(tree->Switches().value_or(L"<none>"));
        Settle();
        EXPECT_FALSE(program.HasBox());
        EXPECT_EQ(IsChecked(Main(), IDC_ARCH686), s.after686);
        EXPECT_EQ(tree->HasToolsFile(L"686.dat"), s.after686);
        EXPECT_EQ(tree->HasToolsFile(L"Console.dat"), s.console);
        EXPECT_EQ(tree->HasToolsFile(L"exx.dat"), s.exx);
        EXPECT_EQ(program.CheckedOption(IDC_PRESET_FIRST, IDC_PRESET_FIRST + 3), s.option);
    }
    EXPECT_EQ(e2e::ReadBytes(tree->ToolsFile(L"Console.dat")), "keep")
        << "an existing flag file is left alone";
    EXPECT_EQ(e2e::ReadBytes(tree->ToolsFile(L"686.dat")), "");
    bool bom = false;
    const std::wstring ini = e2e::ReadIniText(tree->IniPath(), &bom);
    EXPECT_TRUE(bom);
    EXPECT_EQ(e2e::IniValue(ini, L"Options", L"Language"),
              std::optional<std::wstring>(L"english.lang"));
    EXPECT_EQ(e2e::IniValue(ini, L"Compiler", L"FBWINCompiler32"),
              std::optional<std::wstring>(REAL_FBC32));
    EXPECT_EQ(e2e::IniValue(ini, L"Editor", L"FontName"),
              std::optional<std::wstring>(L"Courier New"));
}

TEST_F(E2e, ClearKeepsTheKeyEmptyAndApplyWithoutPresetChangesNothing) {
    tree->WritePresets(THREE_PRESETS);
    tree->TouchToolsFile(L"Console.dat");
    tree->TouchToolsFile(L"exx.dat");
    ASSERT_TRUE(StartBoth());
    const int noPreset = IDC_PRESET_FIRST + 3;
    ASSERT_EQ(program.CheckedOption(IDC_PRESET_FIRST, noPreset), IDC_PRESET_FIRST + 1);

    // Apply acts on BN_CLICKED only; Clear on any notification code.
    PostMessageW(Main(), WM_COMMAND, MAKEWPARAM(IDC_APPLY, 1), 0);
    Settle();
    EXPECT_EQ(tree->Switches(), std::optional<std::wstring>(Line(L"", L"-gen gas64")));
    const Snapshot beforeClear = Take(noPreset);
    PostMessageW(Main(), WM_COMMAND, MAKEWPARAM(IDC_CLEAR, 1), 0);
    EXPECT_TRUE(
        WaitUntil([&] { return tree->Switches() == std::optional<std::wstring>(L""); }, WRITE_MS))
        << "written: " << Narrow(tree->Switches().value_or(L"<key gone>"));
    Settle();
    Snapshot afterClear = Take(noPreset);
    EXPECT_EQ(afterClear.option, noPreset);
    EXPECT_TRUE(std::equal(beforeClear.files, beforeClear.files + 3, afterClear.files));
    EXPECT_TRUE(std::equal(beforeClear.boxes, beforeClear.boxes + 3, afterClear.boxes));

    PostClick(Main(), IDC_APPLY);
    HWND box = program.WaitBox(START_MS);
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::WindowText(GetDlgItem(box, 1001)), L"OK");
    EXPECT_FALSE(IsWindowEnabled(Main())) << "the owner is disabled under its message";
    EXPECT_EQ(program.DismissBox().value_or(L"<no box>"),
              L"No valid radio button has been selected.");
    Settle();
    EXPECT_TRUE(IsWindowEnabled(Main()));
    EXPECT_TRUE(Take(noPreset) == afterClear);
}

TEST_F(E2e, CapitalLInTheNameGivesTheLargeLayout) {
    tree = std::make_unique<e2e::Tree>(L"FlagsmithIIL.exe");
    ASSERT_TRUE(StartBoth());
    const SIZE client = ClientSize(Main());
    EXPECT_EQ(client.cx, Scaled(170));
    EXPECT_EQ(client.cy, Scaled(264));
}

TEST_F(E2e, AlwaysShownNormalWhateverTheLauncherAsks) {
    ASSERT_TRUE(standIn.Start(*tree));
    ASSERT_TRUE(program.Start(*tree, SW_SHOWMINNOACTIVE));
    ASSERT_TRUE(program.WaitMain(START_MS));
    EXPECT_FALSE(IsIconic(Main()));
}

TEST_F(E2e, LastCharacterOfTheNameSetsTheMessageFont) {
    // Only the sizes show across processes: a 15-point box is larger than an 8-point one.
    struct Case {
        const wchar_t* name;
        LONG height;
    } cases[] = {{L"FlagsmithII.exe", 0}, {L"FlagsmithIIF.exe", 0}};
    for (Case& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        tree = std::make_unique<e2e::Tree>(c.name);
        tree->WriteWinFbeIni(L"", REAL_FBC32);
        ASSERT_TRUE(standIn.Start(*tree));
        ASSERT_TRUE(program.Start(*tree));
        HWND box = program.WaitBox(START_MS);
        ASSERT_TRUE(box);
        RECT rect{};
        GetWindowRect(box, &rect);
        c.height = rect.bottom - rect.top;
        program.DismissBox(0);
        TearDown();
    }
    EXPECT_GT(cases[1].height, cases[0].height * 3 / 2);
}

TEST_F(E2e, PositionIsKeptWhenUnmovedAndSavedAfterAMove) {
    const std::wstring positionFile = tree->ToolsFile(L"CSposition.dat");
    e2e::WriteBytes(positionFile, PositionBytes(26, 100));
    {
        ASSERT_TRUE(StartBoth());
        const POINT at = TopLeft(Main());
        EXPECT_EQ(at.x, 26);
        EXPECT_EQ(at.y, 100);
        // An old time stamp shows whether the file was rewritten, even with the same bytes.
        HANDLE file =
            CreateFileW(positionFile.c_str(), FILE_WRITE_ATTRIBUTES,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME old{0x10000000, 0x01C00000};
        SetFileTime(file, nullptr, nullptr, &old);
        CloseHandle(file);
        standIn.Close();
        EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0));
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(positionFile.c_str(), GetFileExInfoStandard, &data);
        EXPECT_EQ(data.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
        EXPECT_EQ(data.ftLastWriteTime.dwLowDateTime, old.dwLowDateTime);
        EXPECT_EQ(e2e::ReadBytes(positionFile), PositionBytes(26, 100));
    }
    TearDown();
    ASSERT_TRUE(StartBoth());
    SetWindowPos(Main(), nullptr, 300, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return TopLeft(Main()).x == 300; }, TICKS_MS));
    const POINT moved = SettledTopLeft(Main());
    standIn.Close();
    EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0));
    EXPECT_EQ(e2e::ReadBytes(positionFile), PositionBytes(moved.x, moved.y));
}

// WinFBE minimised, so the program is too; the user then closes the program (taskbar, Alt+F4):
// the file keeps the place before, not the minimised window's parking place. A file that holds
// Windows's parking place (-32000, -32000), written so before, reads as absent.
TEST_F(E2e, ClosedWhileMinimisedTheFileKeepsThePlaceBefore) {
    const std::wstring positionFile = tree->ToolsFile(L"CSposition.dat");
    ASSERT_TRUE(StartBoth());
    const POINT centred = SettledTopLeft(Main());
    standIn.Minimize();
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(Main()) != FALSE; }, TICKS_MS));
    PostMessageW(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0));
    EXPECT_EQ(e2e::ReadBytes(positionFile), PositionBytes(centred.x, centred.y));
    TearDown();

    e2e::WriteBytes(positionFile, PositionBytes(-32000, -32000));
    ASSERT_TRUE(StartBoth());
    const POINT at = TopLeft(Main());
    EXPECT_EQ(at.x, centred.x) << "centred as without a file";
    EXPECT_EQ(at.y, centred.y);
    standIn.Close();
    EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0));
    EXPECT_EQ(e2e::ReadBytes(positionFile), PositionBytes(centred.x, centred.y)) << "mended";
}

TEST_F(E2e, StatusBarShowsTheVersionsOfTheCompilerPathAndFollowsItsChanges) {
    ASSERT_TRUE(StartBoth());
    EXPECT_TRUE(
        WaitUntil([&] { return program.StatusText() == L" fbc 1.10.1 / gcc 9.3.0"; }, TICKS_MS))
        << Narrow(program.StatusText());
    struct Case {
        const wchar_t* path;
        const wchar_t* status;
    } cases[] = {
        {L"", L" fbc  / gcc "},
        {L"C:\\fbc\\fbc32.exe", L" fbc C:\\fbc\\fbc32.exe / gcc C:"},
        {L"fbc-1.10-gcc-9.3", L" fbc 1.10 / gcc 9.3"},
        {L"fbc32.exe", L" fbc fbc32.exe / gcc fbc32.exe"},
        {L"C:\\FreeBASIC-1.10\\fbc.exe", L" fbc 1.10\\fbc.exe / gcc 1.10"},
        {L"D:\\FreeBASIC-1.09.0-win32-gcc-5.2.0\\fbc.exe", L" fbc 1.09.0 / gcc 5.2.0"},
    };
    const std::optional<std::wstring> switches = tree->Switches();
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.path));
        tree->WriteWinFbeIni(switches, std::wstring(c.path));
        EXPECT_TRUE(WaitUntil([&] { return program.StatusText() == c.status; }, TICKS_MS))
            << "status: '" << Narrow(program.StatusText()) << "'";
    }
}

TEST_F(E2e, FollowsMinimiseRestoreAndTheForeground) {
    ASSERT_TRUE(StartBoth());
    standIn.Minimize();
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(Main()) != FALSE; }, TICKS_MS));
    standIn.Restore();
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(Main()); }, TICKS_MS));
    const bool managed = e2e::UnderWindowManager();
    EXPECT_TRUE(!managed || InSight(Main())) << "not in sight after the restore";

    // WinFBE under the whole of the program's window, a busy black window over its right half.
    RECT place{};
    GetWindowRect(Main(), &place);
    MoveWindow(standIn.Window(), place.left - 60, place.top - 60, place.right - place.left + 120,
               place.bottom - place.top + 120, TRUE);
    const int middle = (place.left + place.right) / 2;
    HWND third = CreateWindowExW(
        0, L"STATIC", L"another application", WS_OVERLAPPEDWINDOW | WS_VISIBLE | SS_BLACKRECT,
        middle, place.top - 40, place.right - middle + 40, place.bottom - place.top + 80, nullptr,
        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(third);
    Sleep(SETTLE_MS);  // busy after showing its window: the window manager's focus comes late
    ASSERT_TRUE(e2e::BringToFront(third));
    // Under a window manager the order is the manager's, read back by Wine a while later: there
    // the screen tells.
    EXPECT_TRUE(managed ||
                WaitUntil([&] { return GetWindow(third, GW_HWNDNEXT) == Main(); }, TICKS_MS))
        << "not directly below the application in front";
    const auto half = [&] { return std::abs(e2e::ShareShowingFace(Main()) - 0.3) < 0.2; };
    EXPECT_TRUE(!managed || WaitUntil(half, TICKS_MS)) << "above the application, or below WinFBE";
    // A person's click into WinFBE, beside the program's window.
    RECT editor{};
    GetWindowRect(standIn.Window(), &editor);
    SetCursorPos(editor.left + 20, editor.bottom - 20);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == standIn.Window(); }, TICKS_MS));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(Main()); }, TICKS_MS))
        << "topmost not regained with WinFBE in front";
    EXPECT_TRUE(!managed || InSight(Main())) << "not in sight after a click into WinFBE";
    DestroyWindow(third);
}

// The focus last on Clear, the person works in WinFBE. However WinFBE comes back from its
// minimised state, following it leaves the keyboard where it is: the keys typed afterwards
// never press the program's button.
// Under a window manager twenty times: its focus comes a moment after the restore.
TEST_F(E2e, FollowingWinFbeNeverTakesTheKeyboard) {
    ASSERT_TRUE(StartBoth());
    const bool managed = e2e::UnderWindowManager();
    const std::optional<std::wstring> line = tree->Switches();
    ASSERT_TRUE(e2e::BringToFront(Main()));
    const DWORD programThread = GetWindowThreadProcessId(Main(), nullptr);
    AttachThreadInput(GetCurrentThreadId(), programThread, TRUE);
    SetFocus(GetDlgItem(Main(), IDC_CLEAR));
    AttachThreadInput(GetCurrentThreadId(), programThread, FALSE);
    for (int round = 0; round < (managed ? 20 : 1); ++round)
        for (const bool broughtForward : {true, false}) {
            SCOPED_TRACE(broughtForward ? "brought forward" : "restored without activation");
            ASSERT_TRUE(e2e::BringToFront(standIn.Window()));
            standIn.Minimize();
            ASSERT_TRUE(WaitUntil([&] { return IsIconic(Main()) != FALSE; }, TICKS_MS));
            if (broughtForward) {
                // Under a window manager its own activation, as a click on the taskbar button.
                standIn.Restore();
                ASSERT_TRUE(managed || e2e::BringToFront(standIn.Window()));
            } else {
                ShowWindow(standIn.Window(), SW_SHOWNOACTIVATE);
            }
            ASSERT_TRUE(WaitUntil([&] { return !IsIconic(Main()); }, TICKS_MS));
            Settle();
            EXPECT_NE(Main(), GetForegroundWindow());
            EXPECT_TRUE(!managed || InSight(Main())) << "not in sight beside WinFBE";
            standIn.ClearKeys();
            keybd_event(VK_SPACE, 0x39, 0, 0);
            keybd_event(VK_SPACE, 0x39, KEYEVENTF_KEYUP, 0);
            Settle();
            if (broughtForward) {
                EXPECT_EQ(standIn.Keys(), (std::vector<std::string>{"down 0x20", "up 0x20"}));
            }
            EXPECT_EQ(tree->Switches(), line);
        }
}

TEST_F(E2e, WindowOrderStaysWhileAMessageIsUp) {
    ASSERT_TRUE(StartBoth());
    Click(IDC_PRESET_FIRST + 2);
    PostClick(Main(), IDC_APPLY);
    ASSERT_TRUE(program.WaitBox(START_MS));
    HWND third =
        CreateWindowExW(0, L"STATIC", L"another application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200,
                        200, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(e2e::BringToFront(third));
    EXPECT_FALSE(WaitUntil([&] { return !IsTopmost(Main()); }, TICKS_MS / 2))
        << "window order changed under a message";
    EXPECT_EQ(program.DismissBox().value_or(L"<no box>"),
              L"No valid radio button has been selected.");
    ASSERT_TRUE(e2e::BringToFront(third));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(Main()); }, TICKS_MS))
        << "window order not followed after it";
    DestroyWindow(third);
}

TEST_F(E2e, WithoutWinFbeTheFirstTickEndsTheProgram) {
    ASSERT_TRUE(program.Start(*tree));
    EXPECT_EQ(program.Proc().WaitExit(START_MS), std::optional<DWORD>(0));
    EXPECT_FALSE(program.HasBox());
}

TEST_F(E2e, KeystrokeButtonsSendTheirExactSequencesToWinFbe) {
    ASSERT_TRUE(StartBoth());
    std::vector<std::string> setup = {"down 0x10", "down 0x76", "up 0x76", "up 0x10"};
    for (int i = 0; i < 7; ++i)
        setup.insert(setup.end(), {"down 0x26", "up 0x26"});
    for (int i = 0; i < 4; ++i)
        setup.insert(setup.end(), {"down 0x28", "up 0x28"});
    struct Case {
        int button;
        std::vector<std::string> keys;
    } cases[] = {{IDC_BUILD_CONFIG, {"down 0x76", "up 0x76"}}, {IDC_COMPILER_SETUP, setup}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        // The program's new window is activated a moment after it shows, by Wine or by a
        // window manager: WinFBE is brought forward until it keeps the keyboard.
        bool kept = false;
        for (int attempt = 0; attempt < 3 && !kept; ++attempt) {
            ASSERT_TRUE(e2e::BringToFront(standIn.Window()));
            if (WaitUntil([&] { return standIn.HasFocus(); }, TICKS_MS)) {
                Settle();
                kept = standIn.HasFocus();
            }
        }
        ASSERT_TRUE(kept) << "WinFBE did not keep the keyboard";
        standIn.ClearKeys();
        // The command itself, not a click: a click would first activate the program's window.
        PostCommand(c.button);
        WaitUntil([&] { return standIn.Keys().size() >= c.keys.size(); }, WRITE_MS);
        WaitUntil([] { return false; }, SETTLE_MS);
        EXPECT_EQ(standIn.Keys(), c.keys);
    }
}

TEST_F(E2e, EditWindowWritesOnOkOnlyAndReselects) {
    const std::wstring start = Line(L"-s console ", L"-gen gas64");
    tree->WriteWinFbeIni(start, REAL_FBC32);
    ASSERT_TRUE(StartBoth());
    ASSERT_EQ(program.CheckedOption(IDC_PRESET_FIRST, IDC_PRESET_FIRST + 2), IDC_PRESET_FIRST + 1);
    const int noPreset = IDC_PRESET_FIRST + 2;

    // Opens the edit window and returns it with its field's text.
    auto open = [&](std::wstring* fieldText) -> HWND {
        PostClick(Main(), IDC_EDIT);
        HWND edit = program.WaitEditWindow();
        if (edit && fieldText)
            *fieldText = e2e::WindowText(GetDlgItem(edit, IDC_SWITCHES_TEXT));
        return edit;
    };
    auto waitClosed = [&](HWND edit) {
        EXPECT_TRUE(
            WaitUntil([&] { return !IsWindow(edit) && IsWindowEnabled(Main()); }, WRITE_MS));
        Settle();
    };

    std::wstring field;
    HWND edit = open(&field);
    ASSERT_TRUE(edit);
    EXPECT_EQ(field, start);
    const DWORD selection =
        static_cast<DWORD>(SendMessageW(GetDlgItem(edit, IDC_SWITCHES_TEXT), EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), start.size()) << "the whole line is selected";
    EXPECT_FALSE(IsWindowEnabled(Main()));
    EXPECT_EQ(e2e::WindowText(GetDlgItem(edit, IDOK)), PlatformCaption(800, L"&Ok"));
    EXPECT_EQ(e2e::WindowText(GetDlgItem(edit, IDCANCEL)), PlatformCaption(801, L"&Cancel"));
    EXPECT_EQ(SendMessageW(GetDlgItem(edit, IDC_SWITCHES_TEXT), EM_GETLIMITTEXT, 0, 0), 260);
    const std::wstring gas = Line(L"", L"-gen gas");
    SendMessageW(GetDlgItem(edit, IDC_SWITCHES_TEXT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(gas.c_str()));
    PostClick(edit, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return tree->Switches() == gas; }, WRITE_MS));
    waitClosed(edit);
    EXPECT_EQ(program.CheckedOption(IDC_PRESET_FIRST, noPreset), IDC_PRESET_FIRST);

    edit = open(&field);
    ASSERT_TRUE(edit);
    EXPECT_EQ(field, gas);
    const std::wstring longer = gas + L" -g";
    SendMessageW(GetDlgItem(edit, IDC_SWITCHES_TEXT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(longer.c_str()));
    PostClick(edit, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return tree->Switches() == longer; }, WRITE_MS));
    waitClosed(edit);
    EXPECT_EQ(program.CheckedOption(IDC_PRESET_FIRST, noPreset), noPreset);
    EXPECT_FALSE(IsChecked(Main(), IDC_CONSOLE));
    EXPECT_FALSE(tree->HasToolsFile(L"Console.dat"));

    // The user's own choice of option must survive every path that writes nothing.
    Click(IDC_PRESET_FIRST + 1);
    struct Path {
        const char* name;
        std::function<void(HWND)> close;
    } paths[] = {
        {"Cancel", [](HWND w) { PostClick(w, IDCANCEL); }},
        {"Esc",
         [](HWND w) {
             HWND f = GetDlgItem(w, IDC_SWITCHES_TEXT);
             PostMessageW(f, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
             PostMessageW(f, WM_KEYUP, VK_ESCAPE, 0xC0010001);
         }},
        {"close box", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Ok on an empty field",
         [](HWND w) {
             SendMessageW(GetDlgItem(w, IDC_SWITCHES_TEXT), WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(L""));
             PostClick(w, IDOK);
         }},
    };
    for (const Path& p : paths) {
        SCOPED_TRACE(p.name);
        const Snapshot before = Take(noPreset);
        edit = open(nullptr);
        ASSERT_TRUE(edit);
        p.close(edit);
        waitClosed(edit);
        EXPECT_TRUE(Take(noPreset) == before);
    }
}

// WM_USER + 1 is also DM_SETDEFID, which the dialog manager may send to a window it handles,
// and any program can post it: it once made OK copy the line through the "address" 2.
TEST_F(E2e, StrayMessageToTheEditWindowDoesNotRedirectOk) {
    tree->WriteWinFbeIni(Line(L"", L"-gen gas64"), REAL_FBC32);
    ASSERT_TRUE(StartBoth());
    PostClick(Main(), IDC_EDIT);
    HWND edit = program.WaitEditWindow();
    ASSERT_TRUE(edit);
    PostMessageW(edit, WM_USER + 1, 2, 0);
    const std::wstring gas = Line(L"", L"-gen gas");
    SendMessageW(GetDlgItem(edit, IDC_SWITCHES_TEXT), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(gas.c_str()));
    PostClick(edit, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return tree->Switches() == gas; }, WRITE_MS));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(edit); }, WRITE_MS));
    Settle();
    EXPECT_TRUE(program.Proc().Running());
    EXPECT_EQ(program.CheckedOption(IDC_PRESET_FIRST, IDC_PRESET_FIRST + 2), IDC_PRESET_FIRST);
}

TEST_F(E2e, EndsWhenWinFbeGoesAlsoMinimisedOrWithTheEditWindowOrAMessageOpen) {
    const std::wstring positionFile = tree->ToolsFile(L"CSposition.dat");
    e2e::WriteBytes(positionFile, PositionBytes(26, 100));

    ASSERT_TRUE(StartBoth());
    standIn.Minimize();
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(Main()) != FALSE; }, TICKS_MS));
    standIn.Close();
    EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0))
        << "still running after a minimised WinFBE went";
    EXPECT_EQ(e2e::ReadBytes(positionFile), PositionBytes(26, 100))
        << "restored before closing, so unmoved";
    TearDown();

    // WinFBE goes while a start-up message is up, before the main loop runs.
    tree->WriteWinFbeIni(L"", REAL_FBC32);
    ASSERT_TRUE(standIn.Start(*tree));
    ASSERT_TRUE(program.Start(*tree));
    ASSERT_TRUE(program.WaitBox(START_MS));
    standIn.Close();
    EXPECT_TRUE(WaitUntil(
        [&] {
            return !e2e::FindProcessWindow(program.Proc().Id(), nullptr, L"FLG", false, L"#32770");
        },
        TICKS_MS))
        << "main window kept after WinFBE went";
    program.DismissBox(0);
    EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0))
        << "still running after a start-up message";
    TearDown();
    tree->WriteWinFbeIni(Line(L"", L"-gen gas64"), REAL_FBC32);

    ASSERT_TRUE(StartBoth());
    PostClick(Main(), IDC_EDIT);
    ASSERT_TRUE(program.WaitEditWindow());
    standIn.Close();
    EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0))
        << "still running after WinFBE went";
    EXPECT_EQ(e2e::ReadBytes(positionFile), PositionBytes(26, 100));
    TearDown();

    ASSERT_TRUE(StartBoth());
    Click(IDC_PRESET_FIRST + 2);
    PostClick(Main(), IDC_APPLY);
    HWND box = program.WaitBox(START_MS);
    ASSERT_TRUE(box);
    SetWindowPos(Main(), nullptr, 333, 222, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return TopLeft(Main()).x == 333; }, TICKS_MS));
    const POINT moved = TopLeft(Main());
    const HWND main = Main();
    standIn.Close();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(main); }, EXIT_MS))
        << "main window kept while a message is up";
    program.DismissBox(0);
    EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0))
        << "still running after the message closed";
    EXPECT_EQ(e2e::ReadBytes(positionFile), PositionBytes(moved.x, moved.y));
}

}  // namespace
