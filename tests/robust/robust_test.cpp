// The real FlagsmithII.exe beside the stand-in WinFBE, fed bad, odd and oversized input: every
// case must end the way the program's rules say, with exit code 0, and leave every key of
// WinFBE.ini other than CompilerSwitches exactly as it was.
#include <gtest/gtest.h>

#include <memory>

#include "tests/harness/program_test.h"
#include "app/identifiers.h"

using e2e::Line;
using e2e::Narrow;
using e2e::PositionBytes;
using e2e::REAL_FBC32;
using e2e::TopLeft;
using e2e::WaitUntil;

namespace {

constexpr DWORD START_MS = 8000;
constexpr DWORD EXIT_MS = 3000;
constexpr DWORD WRITE_MS = 3000;
constexpr DWORD TICKS_MS = 1000;
constexpr DWORD QUIET_MS = 300;  // long enough for a stray message box to appear
constexpr int LAST_OPTION_ID = IDC_PRESET_FIRST + 40;
constexpr int MAX_PRESETS = 32;
constexpr int VALUE_CHARS = 259;

constexpr const char* TWO_PRESETS = "-gen gas\r\n-gen gas64\r\n";
constexpr const wchar_t* ALL_FLAGS = L"-s console -arch 686 -exx ";
constexpr const wchar_t* REAL_STATUS = L" fbc 1.10.1 / gcc 9.3.0";
constexpr const wchar_t* NO_PRESET_USED = L"No preset used";
constexpr const wchar_t* NO_MATCH = L"No preset match.";
constexpr const wchar_t* EMPTY_LINE = L"'CompilerSwitches' in WinFBE.ini is empty.";
constexpr const wchar_t* NO_SETTINGS = L"The given WinFBE ini file does not exist.";
constexpr const wchar_t* NO_RADIO = L"No valid radio button has been selected.";
constexpr const wchar_t* POSITION_FILE = L"CSposition.dat";

std::wstring Ansi(const std::string& bytes) {
    if (bytes.empty())
        return {};
    std::wstring text(bytes.size(), L'\0');
    const int chars = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                          &text[0], static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(chars));
    return text;
}

void SetText(HWND control, const std::wstring& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

class Robust : public e2e::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(standIn.Start(*tree));
    }

    // A new copy of the program, of the test's tree or of another; its main window is not
    // waited for.
    void Launch(const e2e::Tree* other = nullptr) {
        ASSERT_TRUE(program.Start(other ? *other : *tree));
    }
    bool LaunchToMain() {
        Launch();
        return program.WaitMain(START_MS) != nullptr;
    }

    // No message box came up, and none comes within a moment.
    void ExpectNoBox() {
        EXPECT_FALSE(WaitUntil([&] { return program.HasBox(); }, QUIET_MS))
            << "unexpected box: " << Narrow(program.DismissBox(0).value_or(L""));
    }
    // The way WinFBE's going or the user's closing ends the program: through WM_CLOSE.
    void CloseAndExpectCodeZero() {
        PostMessageW(Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0));
    }
    int OptionCount() const {
        int count = 0;
        while (count < LAST_OPTION_ID - IDC_PRESET_FIRST &&
               GetDlgItem(Main(), IDC_PRESET_FIRST + count))
            ++count;
        return count;
    }
    std::wstring Caption(int id) const { return e2e::WindowText(GetDlgItem(Main(), id)); }
    int CheckedOption() const { return program.CheckedOption(IDC_PRESET_FIRST, LAST_OPTION_ID); }
    std::wstring DismissedText() { return program.DismissBox(START_MS).value_or(L"<no box>"); }

    // Opens the edit window and returns its field's text; empty handle when it did not open.
    // A command posted just after an edit window closed can still be taken by that window's
    // ending loop, as posted messages come before its quit: the window it opens then ends with
    // that quit at once. A person's click comes after the quit. The command is posted once more.
    HWND OpenEdit(std::wstring* field) {
        HWND edit = nullptr;
        for (int attempt = 0; attempt < 2 && !edit; ++attempt) {
            PostCommand(IDC_EDIT);
            edit = program.WaitEditWindow();
        }
        if (edit && field)
            *field = e2e::WindowText(GetDlgItem(edit, IDC_SWITCHES_TEXT));
        return edit;
    }
    void CloseEdit(HWND edit, int button) {
        e2e::PostClick(edit, button);
        EXPECT_TRUE(
            WaitUntil([&] { return !IsWindow(edit) && IsWindowEnabled(Main()); }, WRITE_MS));
        e2e::Sync(Main());
    }
};

std::string Garbage(size_t size) {
    std::string bytes(size, '\0');
    unsigned int state = 0x2545F491u;
    for (char& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 23);
        // Ctrl+Z ends a file read in text mode by some runtimes; the reading rules know no such
        // end.
        if (b == 0x1A)
            b = 'Z';
    }
    return bytes;
}

std::string FortyLines() {
    std::string bytes;
    for (int i = 1; i <= 40; ++i)
        bytes += "p" + std::to_string(i) + "\r\n";
    return bytes;
}

TEST_F(Robust, OddPresetFilesGiveTheirPresetsOrEndSilently) {
    const std::string longItem(100000, 'x');
    struct Case {
        const char* name;
        std::optional<std::string> bytes;  // nullopt: no preset file
        std::wstring line;
        int options;  // 0: the program ends without a window
        std::vector<std::pair<int, std::wstring>> captions;
        const wchar_t* message;  // nullptr: none
        int checked;
    } cases[] = {
        {"binary garbage",
         Garbage(100 * 1024),
         Line(L"", L"-gen gas64"),
         MAX_PRESETS + 1,
         {{IDC_PRESET_FIRST + MAX_PRESETS, NO_PRESET_USED}},
         NO_MATCH,
         IDC_PRESET_FIRST + MAX_PRESETS},
        {"one 100 KB line of three items",
         "-gen gas,-gen gas64," + longItem,
         Line(L"", L"-gen gas64"),
         4,
         {{IDC_PRESET_FIRST + 2, std::wstring(VALUE_CHARS, L'x')},
          {IDC_PRESET_FIRST + 3, NO_PRESET_USED}},
         nullptr,
         IDC_PRESET_FIRST + 1},
        {"one 100 KB line, one item", longItem, Line(L"", L"-gen gas64"), 0, {}, nullptr, 0},
        {"one preset", std::string("-gen gas\r\n"), Line(L"", L"-gen gas64"), 0, {}, nullptr, 0},
        {"empty file", std::string(), Line(L"", L"-gen gas64"), 0, {}, nullptr, 0},
        {"no file", std::nullopt, Line(L"", L"-gen gas64"), 0, {}, nullptr, 0},
        {"40 lines",
         FortyLines(),
         Line(L"-exx ", L"p32"),
         MAX_PRESETS + 1,
         {{IDC_PRESET_FIRST, L"p1"},
          {IDC_PRESET_FIRST + 31, L"p32"},
          {IDC_PRESET_FIRST + 32, NO_PRESET_USED}},
         nullptr,
         IDC_PRESET_FIRST + 31},
        // "a,b" | "c" | d | "" (open quote to line end) / "" | "" / "" | ""
        {"only quotes and commas",
         "\"a,b\",\"c\"d,\"\r\n\"\"\"\"\r\n,,",
         L"\"-w all -fpmode fast -fpu sse \"",
         9,
         {{IDC_PRESET_FIRST, L"a,b"},
          {IDC_PRESET_FIRST + 1, L"c"},
          {IDC_PRESET_FIRST + 2, L"d"},
          {IDC_PRESET_FIRST + 3, L""},
          {IDC_PRESET_FIRST + 8, NO_PRESET_USED}},
         nullptr,
         IDC_PRESET_FIRST + 3},
        {"CR-only line ends",
         "-gen gas\r-gen gas64\r-lang qb",
         Line(L"-s console ", L"-lang qb"),
         4,
         {{IDC_PRESET_FIRST + 2, L"-lang qb"}},
         nullptr,
         IDC_PRESET_FIRST + 2},
        // The byte-order mark is three characters of the first item, which then matches nothing.
        {"UTF-8 byte-order mark",
         "\xEF\xBB\xBF-gen gas\r\n-gen gas64\r\n",
         Line(L"-arch 686 ", L"-gen gas"),
         3,
         {{IDC_PRESET_FIRST, Ansi("\xEF\xBB\xBF-gen gas")}},
         NO_MATCH,
         IDC_PRESET_FIRST + 2},
        {"UTF-8 byte-order mark before a quote",
         "\xEF\xBB\xBF\"-gen gas\"\r\n-gen gas64\r\n",
         Line(L"", L"-gen gas64"),
         3,
         {{IDC_PRESET_FIRST, Ansi("\xEF\xBB\xBF\"-gen gas\"")}},
         nullptr,
         IDC_PRESET_FIRST + 1},
    };
    // A folder where the preset file should be reads as an empty file.
    DeleteFileW(tree->ToolsFile(L"FlagsmithII.ini").c_str());
    ASSERT_TRUE(CreateDirectoryW(tree->ToolsFile(L"FlagsmithII.ini").c_str(), nullptr));
    Launch();
    EXPECT_EQ(program.Proc().WaitExit(START_MS), std::optional<DWORD>(0));
    EXPECT_FALSE(program.HasBox());
    RemoveDirectoryW(tree->ToolsFile(L"FlagsmithII.ini").c_str());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bytes)
            tree->WritePresets(*c.bytes);
        else
            DeleteFileW(tree->ToolsFile(L"FlagsmithII.ini").c_str());
        tree->WriteWinFbeIni(c.line, REAL_FBC32);
        DeleteFileW(tree->ToolsFile(POSITION_FILE).c_str());
        const auto others = e2e::OtherEntries(tree->IniPath());
        const std::string iniBefore = e2e::ReadBytes(tree->IniPath());
        Launch();
        if (!c.options) {
            const DWORD pid = program.Proc().Id();
            bool sawWindow = false;
            WaitUntil(
                [&] {
                    sawWindow =
                        sawWindow || e2e::FindProcessWindow(pid, nullptr, nullptr, true) != nullptr;
                    return !program.Proc().Running();
                },
                START_MS);
            EXPECT_EQ(program.Proc().WaitExit(0), std::optional<DWORD>(0));
            EXPECT_FALSE(sawWindow);
            continue;
        }
        if (c.message) {
            EXPECT_EQ(DismissedText(), c.message);
        }
        ASSERT_TRUE(program.WaitMain(START_MS));
        ExpectNoBox();
        EXPECT_EQ(OptionCount(), c.options);
        for (const auto& caption : c.captions) {
            SCOPED_TRACE(caption.first);
            EXPECT_EQ(Caption(caption.first), caption.second);
        }
        EXPECT_EQ(CheckedOption(), c.checked);
        EXPECT_EQ(e2e::ReadBytes(tree->IniPath()), iniBefore) << "start-up wrote to WinFBE.ini";
        CloseAndExpectCodeZero();
        EXPECT_EQ(e2e::OtherEntries(tree->IniPath()), others);
    }
}

// A preset file of 300 MB, nearly all of it one line (a hole of zero bytes, so it is made at
// once): read whole, it exhausted the 32-bit address space and std::bad_alloc ended the program
// with exit code 3. Only what 32 items of 259 characters need is kept.
TEST_F(Robust, HugePresetFileGivesItsPresets) {
    const std::string head = "-gen gas\r\n";
    const std::string tail = "\r\n-gen gas64\r\n-lang qb\r\n";
    const LONGLONG tailAt = 300LL * 1024 * 1024;
    HANDLE file = CreateFileW(tree->ToolsFile(L"FlagsmithII.ini").c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    LARGE_INTEGER at{};
    at.QuadPart = tailAt;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    WriteFile(file, tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr);
    CloseHandle(file);
    tree->WriteWinFbeIni(Line(L"", L"-gen gas64"), REAL_FBC32);

    ASSERT_TRUE(LaunchToMain()) << "exit code "
                                << program.Proc().WaitExit(0).value_or(STILL_ACTIVE);
    ExpectNoBox();
    EXPECT_EQ(OptionCount(), 5);
    EXPECT_EQ(Caption(IDC_PRESET_FIRST), L"-gen gas");
    EXPECT_EQ(Caption(IDC_PRESET_FIRST + 2), L"-gen gas64");
    EXPECT_EQ(Caption(IDC_PRESET_FIRST + 3), L"-lang qb");
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 2);
    CloseAndExpectCodeZero();
}

TEST_F(Robust, PresetWithAByteOrMarkIsAppliedAsItsOwnText) {
    tree->WritePresets("\xEF\xBB\xBF-gen gas\r\n-gen gas64\r\n");
    ASSERT_TRUE(LaunchToMain());
    ExpectNoBox();
    Click(IDC_PRESET_FIRST);
    Command(IDC_APPLY);
    ExpectNoBox();
    // Not exactly "-gen gas": the 686 rule leaves the box alone.
    EXPECT_FALSE(e2e::IsChecked(Main(), IDC_ARCH686));
    EXPECT_FALSE(tree->HasToolsFile(L"686.dat"));
    EXPECT_EQ(tree->Switches(),
              std::optional<std::wstring>(Line(L"", Ansi("\xEF\xBB\xBF-gen gas"))));
    CloseAndExpectCodeZero();
}

TEST_F(Robust, PositionFileOfAnyLengthPlacesTheWindowExactlyAndStaysUntouched) {
    std::string hundred = PositionBytes(40, 60) + std::string(92, '\xFF');
    struct Case {
        const char* name;
        std::string bytes;
        POINT at;
    } cases[] = {
        {"0 bytes", "", {0, 0}},
        {"4 bytes", PositionBytes(26, 100).substr(0, 4), {26, 0}},
        {"7 bytes", PositionBytes(26, 300).substr(0, 7), {26, 300}},
        {"8 bytes, negative", PositionBytes(-50, -30), {-50, -30}},
        {"left of and above the screen", PositionBytes(-40, -30), {-40, -30}},
        {"100 bytes", hundred, {40, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        e2e::WriteBytes(tree->ToolsFile(POSITION_FILE), c.bytes);
        ASSERT_TRUE(LaunchToMain());
        const POINT at = TopLeft(Main());
        EXPECT_EQ(at.x, c.at.x);
        EXPECT_EQ(at.y, c.at.y);
        CloseAndExpectCodeZero();
        EXPECT_EQ(e2e::ReadBytes(tree->ToolsFile(POSITION_FILE)), c.bytes)
            << "unmoved, yet rewritten";
    }
    // A folder of that name is no position file: centred, and the failed save goes unreported.
    DeleteFileW(tree->ToolsFile(POSITION_FILE).c_str());
    ASSERT_TRUE(CreateDirectoryW(tree->ToolsFile(POSITION_FILE).c_str(), nullptr));
    ASSERT_TRUE(LaunchToMain());
    EXPECT_NE(TopLeft(Main()).x, 0);
    CloseAndExpectCodeZero();
    ExpectNoBox();
    EXPECT_TRUE(e2e::DirectoryExists(tree->ToolsFile(POSITION_FILE)));
    RemoveDirectoryW(tree->ToolsFile(POSITION_FILE).c_str());

    // Moved above and left of the screen: the file holds the negative edges.
    ASSERT_TRUE(LaunchToMain());
    SetWindowPos(Main(), nullptr, -77, -66, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return TopLeft(Main()).x == -77; }, TICKS_MS));
    CloseAndExpectCodeZero();
    EXPECT_EQ(e2e::ReadBytes(tree->ToolsFile(POSITION_FILE)), PositionBytes(-77, -66));
}

TEST_F(Robust, LongAndOddlyShapedValuesAreCutAndReadByTheRules) {
    const std::wstring longPreset(230, L'q');
    tree->WritePresets("-gen gas\r\n-gen gas64\r\n" +
                       std::string(longPreset.begin(), longPreset.end()) + "\r\n");
    // 300 characters whose first 259 are the base switches and the long preset.
    const std::wstring longLine = Line(L"", longPreset) + std::wstring(41, L'r');
    ASSERT_EQ(longLine.size(), 300u);
    tree->WriteWinFbeIni(longLine, REAL_FBC32);
    ASSERT_TRUE(LaunchToMain());
    ExpectNoBox();
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 2) << "the cut line matches the long preset";
    const auto others = e2e::OtherEntries(tree->IniPath());

    struct Shape {
        const char* name;
        std::wstring value;
        std::wstring read;
    } shapes[] = {
        {"300 characters", longLine, longLine.substr(0, VALUE_CHARS)},
        {"only -", L"-", L"-"},
        {"only dashes", L"-----", L"-----"},
        {"only \\", L"\\", L"\\"},
        {"\\ before the first -", L"C:\\x\\-gen gas", L"C:\\x\\-gen gas"},
    };
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.name);
        tree->WriteWinFbeIni(s.value, REAL_FBC32);
        std::wstring field;
        HWND edit = OpenEdit(&field);
        ASSERT_TRUE(edit);
        EXPECT_EQ(field, s.read);
        CloseEdit(edit, IDCANCEL);
        EXPECT_EQ(tree->Switches(), std::optional<std::wstring>(s.value)) << "Cancel wrote";
    }

    // Written through the edit window, an odd line selects "No preset used".
    std::wstring field;
    HWND edit = OpenEdit(&field);
    ASSERT_TRUE(edit);
    SetText(GetDlgItem(edit, IDC_SWITCHES_TEXT), L"\\-");
    CloseEdit(edit, IDOK);
    ExpectNoBox();
    EXPECT_EQ(tree->Switches(), std::optional<std::wstring>(L"\\-"));
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 3);

    // Longer than the field's limit (WM_SETTEXT passes it): written as its first 259 characters.
    edit = OpenEdit(&field);
    ASSERT_TRUE(edit);
    const std::wstring overlong = Line(L"-exx ", std::wstring(600, L'e'));
    SetText(GetDlgItem(edit, IDC_SWITCHES_TEXT), overlong);
    CloseEdit(edit, IDOK);
    ExpectNoBox();
    EXPECT_EQ(tree->Switches(), std::optional<std::wstring>(overlong.substr(0, VALUE_CHARS)));

    // All three flags and the long preset: 285 characters, written whole (a cut line would hand
    // the compiler a broken switch).
    Click(IDC_PRESET_FIRST + 2);
    for (int id : {IDC_CONSOLE, IDC_ARCH686, IDC_EXX})
        e2e::SetChecked(Main(), id, true);
    Command(IDC_APPLY);
    ExpectNoBox();
    EXPECT_EQ(tree->Switches(), std::optional<std::wstring>(Line(ALL_FLAGS, longPreset)));

    struct Path {
        const char* name;
        std::wstring path;
        std::wstring status;
    } paths[] = {
        {"only -", L"-", L" fbc  / gcc "},
        {"only dashes", L"---", L" fbc  / gcc "},
        {"only \\", L"\\", L" fbc \\ / gcc "},
        {"only backslashes", L"\\\\\\", L" fbc \\\\\\ / gcc "},
        {"\\ then -", L"\\-", L" fbc  / gcc "},
        {"\\ before the first -", L"\\\\-9.3\\", L" fbc 9.3\\ / gcc 9.3"},
        {"300 characters",
         L"C:\\FreeBASIC-1.10.1-" + std::wstring(239, L'w') + L"-gcc-9.3.0\\fbc32.exe" +
             std::wstring(21, L'z'),
         L" fbc 1.10.1 / gcc " + std::wstring(239, L'w')},
        {"back to a real path", REAL_FBC32, REAL_STATUS},
    };
    const std::optional<std::wstring> switches = tree->Switches();
    for (const Path& p : paths) {
        SCOPED_TRACE(p.name);
        tree->WriteWinFbeIni(switches, p.path);
        EXPECT_TRUE(WaitUntil([&] { return program.StatusText() == p.status; }, TICKS_MS))
            << "status: '" << Narrow(program.StatusText()) << "'";
    }
    EXPECT_EQ(e2e::OtherEntries(tree->IniPath()), others);
    CloseAndExpectCodeZero();

    // Read back cut, the whole line matches no preset, as any line longer than 259 characters.
    Launch();
    EXPECT_EQ(DismissedText(), NO_MATCH);
    ASSERT_TRUE(program.WaitMain(START_MS));
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 3);
    CloseAndExpectCodeZero();
}

TEST_F(Robust, SettingsFileThatIsNoFileIsReportedAndEndsWithCodeZero) {
    const std::wstring settings = tree->Root() + L"\\Settings";
    struct Case {
        const char* name;
        void (*make)(const std::wstring& settings);
    } cases[] = {
        {"no WinFBE.ini",
         [](const std::wstring& s) { DeleteFileW((s + L"\\WinFBE.ini").c_str()); }},
        {"WinFBE.ini is a directory",
         [](const std::wstring& s) {
             DeleteFileW((s + L"\\WinFBE.ini").c_str());
             CreateDirectoryW((s + L"\\WinFBE.ini").c_str(), nullptr);
         }},
        {"no Settings folder",
         [](const std::wstring& s) {
             RemoveDirectoryW((s + L"\\WinFBE.ini").c_str());
             DeleteFileW((s + L"\\WinFBE.ini").c_str());
             RemoveDirectoryW(s.c_str());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.make(settings);
        const bool hadFolder = e2e::DirectoryExists(settings);
        Launch();
        EXPECT_EQ(DismissedText(), NO_SETTINGS);
        EXPECT_EQ(program.Proc().WaitExit(EXIT_MS), std::optional<DWORD>(0));
        EXPECT_EQ(e2e::DirectoryExists(settings), hadFolder);
        EXPECT_FALSE(e2e::FileExists(tree->IniPath()));
    }
}

TEST_F(Robust, LockedSettingsFileReportsEachFailedWriteAndRecovers) {
    const std::string before = e2e::ReadBytes(tree->IniPath());
    e2e::FileLock lock(tree->IniPath());
    ASSERT_TRUE(lock.Held());
    Launch();
    // The file exists but cannot be read: the line reads as empty.
    EXPECT_EQ(DismissedText(), EMPTY_LINE);
    ASSERT_TRUE(program.WaitMain(START_MS));
    EXPECT_TRUE(WaitUntil([&] { return program.StatusText() == L" fbc  / gcc "; }, TICKS_MS))
        << Narrow(program.StatusText());

    Click(IDC_PRESET_FIRST);
    PostCommand(IDC_APPLY);
    EXPECT_EQ(DismissedText(), L"Error1");
    e2e::Sync(Main());
    EXPECT_TRUE(e2e::IsChecked(Main(), IDC_ARCH686)) << "the preset rule stays applied";
    EXPECT_TRUE(tree->HasToolsFile(L"686.dat"));
    PostCommand(IDC_CLEAR);
    EXPECT_EQ(DismissedText(), L"Error3");
    e2e::Sync(Main());
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 2)
        << "Clear selects \"No preset used\" all the same";
    std::wstring field = L"<unread>";
    HWND edit = OpenEdit(&field);
    ASSERT_TRUE(edit);
    EXPECT_EQ(field, L"");
    SetText(GetDlgItem(edit, IDC_SWITCHES_TEXT), Line(L"", L"-gen gas64"));
    e2e::PostClick(edit, IDOK);
    EXPECT_EQ(DismissedText(), L"Error2");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(edit) && IsWindowEnabled(Main()); }, WRITE_MS));
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 1)
        << "the line that was to be written still selects its preset";
    lock.Release();
    EXPECT_EQ(e2e::ReadBytes(tree->IniPath()), before);

    EXPECT_TRUE(WaitUntil([&] { return program.StatusText() == REAL_STATUS; }, TICKS_MS));
    Click(IDC_PRESET_FIRST);
    Command(IDC_APPLY);
    ExpectNoBox();
    EXPECT_EQ(tree->Switches(), std::optional<std::wstring>(Line(L"-arch 686 ", L"-gen gas")));
    CloseAndExpectCodeZero();
}

TEST_F(Robust, SettingsFileWithoutCompilerSectionGetsItOnApply) {
    const std::wstring text = L"[Options]\r\nLanguage=english.lang\r\n[Editor]\r\nTabSize=4\r\n";
    e2e::WriteUtf16File(tree->IniPath(), text);
    Launch();
    EXPECT_EQ(DismissedText(), EMPTY_LINE);
    ASSERT_TRUE(program.WaitMain(START_MS));
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 2);
    EXPECT_TRUE(WaitUntil([&] { return program.StatusText() == L" fbc  / gcc "; }, TICKS_MS))
        << Narrow(program.StatusText());
    Click(IDC_PRESET_FIRST + 1);
    Command(IDC_APPLY);
    ExpectNoBox();
    bool utf16 = false;
    const std::wstring after = e2e::ReadIniText(tree->IniPath(), &utf16);
    EXPECT_TRUE(utf16);
    EXPECT_EQ(e2e::IniValue(after, L"Compiler", L"CompilerSwitches"),
              std::optional<std::wstring>(Line(L"", L"-gen gas64")));
    EXPECT_EQ(e2e::OtherEntries(tree->IniPath()), e2e::IniEntries(text));
    CloseAndExpectCodeZero();
}

TEST_F(Robust, EmptySettingsFileAndFlagFilesThatAreFoldersAreNoObstacle) {
    tree->WritePresets("-gen gas\r\n-gen gas64\r\n-d NAME=caf\xE9\r\n");
    e2e::WriteBytes(tree->IniPath(), "");
    for (const wchar_t* name : {L"Console.dat", L"686.dat", L"exx.dat"})
        CreateDirectoryW(tree->ToolsFile(name).c_str(), nullptr);
    Launch();
    EXPECT_EQ(DismissedText(), EMPTY_LINE);
    ASSERT_TRUE(program.WaitMain(START_MS));
    for (int id : {IDC_CONSOLE, IDC_ARCH686, IDC_EXX})
        EXPECT_FALSE(e2e::IsChecked(Main(), id));
    // Checked boxes whose files cannot be made, and an unchecked one whose "file" is a folder.
    e2e::SetChecked(Main(), IDC_CONSOLE, true);
    Click(IDC_PRESET_FIRST);
    Command(IDC_APPLY);
    ExpectNoBox();
    EXPECT_EQ(tree->Switches(),
              std::optional<std::wstring>(Line(L"-s console -arch 686 ", L"-gen gas")));
    for (const wchar_t* name : {L"Console.dat", L"686.dat", L"exx.dat"})
        EXPECT_TRUE(e2e::DirectoryExists(tree->ToolsFile(name)));
    Click(IDC_PRESET_FIRST + 2);
    Command(IDC_APPLY);
    ExpectNoBox();
    EXPECT_EQ(tree->Switches(),
              std::optional<std::wstring>(Line(L"-s console -arch 686 ", Ansi("-d NAME=caf\xE9"))));
    CloseAndExpectCodeZero();
}

TEST_F(Robust, AnsiSettingsFileIsReadAndStaysAnsi) {
    tree->WritePresets("-gen gas\r\n-gen gas64\r\n-d NAME=caf\xE9\r\n");
    // "é" and "ü" in the ANSI code page: bytes that are no valid UTF-8.
    const std::string text =
        "[Options]\r\nUser=Andr\xE9 M\xFCller\r\n[Compiler]\r\nFBWINCompiler32=" +
        Narrow(REAL_FBC32) + "\r\nCompilerSwitches=-w all -fpmode fast -fpu sse -gen gas64\r\n" +
        "[Editor]\r\nFontName=Courier New\r\n";
    e2e::WriteBytes(tree->IniPath(), text);
    const auto others = e2e::OtherEntries(tree->IniPath());
    ASSERT_TRUE(LaunchToMain());
    ExpectNoBox();
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 1);
    EXPECT_TRUE(WaitUntil([&] { return program.StatusText() == REAL_STATUS; }, TICKS_MS));
    Click(IDC_PRESET_FIRST);
    Command(IDC_APPLY);
    ExpectNoBox();
    const std::string bytes = e2e::ReadBytes(tree->IniPath());
    EXPECT_NE(bytes.find("User=Andr\xE9 M\xFCller\r\n"), std::string::npos)
        << "the ANSI bytes changed";
    EXPECT_NE(bytes.find("CompilerSwitches=-arch 686 -w all -fpmode fast -fpu sse -gen gas\r\n"),
              std::string::npos);
    Click(IDC_PRESET_FIRST + 2);
    Command(IDC_APPLY);
    ExpectNoBox();
    EXPECT_NE(
        e2e::ReadBytes(tree->IniPath())
            .find("CompilerSwitches=-arch 686 -w all -fpmode fast -fpu sse -d NAME=caf\xE9\r\n"),
        std::string::npos)
        << "an ANSI preset written other than as its ANSI bytes";
    bool utf16 = true;
    e2e::ReadIniText(tree->IniPath(), &utf16);
    EXPECT_FALSE(utf16);
    EXPECT_EQ(e2e::OtherEntries(tree->IniPath()), others);
    CloseAndExpectCodeZero();
}

TEST_F(Robust, FolderOutsideTheAnsiCodePageIsFoundReadAndWritten) {
    // Greek and Cyrillic letters: not in code page 1252, which the ANSI calls use.
    const e2e::Tree install(L"FlagsmithII.exe",
                            L"\x03A9\x03BC\x03AD\x03B3\x03B1-\x0416\x0443\x043A");
    const std::wstring& root = install.Root();
    ASSERT_TRUE(install.Complete()) << "cannot create a folder with Greek and Cyrillic letters";
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(root.c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    ASSERT_EQ(root.substr(root.find_last_of(L'\\') + 1), found.cFileName)
        << "the folder got another name";
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, root.c_str(), -1, nullptr, 0, nullptr, &lossy);
    ASSERT_TRUE(lossy) << "the ANSI code page can name this folder: nothing is tested";
    install.WritePresets(TWO_PRESETS);
    e2e::WriteUtf16File(install.IniPath(),
                        e2e::ManySectionsIni(Line(L"", L"-gen gas64"), REAL_FBC32));
    const auto others = e2e::OtherEntries(install.IniPath());

    Launch(&install);
    ASSERT_TRUE(program.WaitMain(START_MS));
    ExpectNoBox();
    EXPECT_EQ(CheckedOption(), IDC_PRESET_FIRST + 1);
    EXPECT_TRUE(WaitUntil([&] { return program.StatusText() == REAL_STATUS; }, TICKS_MS))
        << Narrow(program.StatusText());

    Click(IDC_PRESET_FIRST);
    e2e::SetChecked(Main(), IDC_CONSOLE, true);
    Command(IDC_APPLY);
    ExpectNoBox();
    bool utf16 = false;
    const std::wstring after = e2e::ReadIniText(install.IniPath(), &utf16);
    EXPECT_TRUE(utf16);
    EXPECT_EQ(e2e::IniValue(after, L"Compiler", L"CompilerSwitches"),
              std::optional<std::wstring>(Line(L"-s console -arch 686 ", L"-gen gas")));
    EXPECT_EQ(e2e::OtherEntries(install.IniPath()), others);
    EXPECT_TRUE(e2e::FileExists(install.ToolsFile(L"Console.dat")));
    EXPECT_TRUE(e2e::FileExists(install.ToolsFile(L"686.dat")));

    std::wstring field;
    HWND edit = OpenEdit(&field);
    ASSERT_TRUE(edit);
    EXPECT_EQ(field, Line(L"-s console -arch 686 ", L"-gen gas"));
    CloseEdit(edit, IDCANCEL);

    // Flag files are deleted by their bare names, against the program's folder.
    e2e::SetChecked(Main(), IDC_CONSOLE, false);
    Click(IDC_PRESET_FIRST + 1);
    Command(IDC_APPLY);
    ExpectNoBox();
    EXPECT_FALSE(e2e::FileExists(install.ToolsFile(L"Console.dat")));
    EXPECT_FALSE(e2e::FileExists(install.ToolsFile(L"686.dat")));
    EXPECT_EQ(e2e::IniValue(e2e::ReadIniText(install.IniPath()), L"Compiler", L"CompilerSwitches"),
              std::optional<std::wstring>(Line(L"", L"-gen gas64")));

    // Centred, so away from (0, 0): closing saves the position beside the program.
    const POINT at = TopLeft(Main());
    CloseAndExpectCodeZero();
    EXPECT_EQ(e2e::ReadBytes(install.ToolsFile(POSITION_FILE)), PositionBytes(at.x, at.y));
}

TEST_F(Robust, SettingsFileGoingAwayWhileRunningIsReportedOnWrite) {
    ASSERT_TRUE(LaunchToMain());
    const std::wstring settings = tree->Root() + L"\\Settings";
    ASSERT_TRUE(DeleteFileW(tree->IniPath().c_str()));
    EXPECT_TRUE(WaitUntil([&] { return program.StatusText() == L" fbc  / gcc "; }, TICKS_MS));
    // The write makes the file anew.
    Click(IDC_PRESET_FIRST + 1);
    Command(IDC_APPLY);
    ExpectNoBox();
    EXPECT_EQ(tree->Switches(), std::optional<std::wstring>(Line(L"", L"-gen gas64")));

    // Without the folder no write can succeed, and none makes the folder (each command's own
    // message: LockedSettingsFileReportsEachFailedWriteAndRecovers).
    ASSERT_TRUE(DeleteFileW(tree->IniPath().c_str()));
    ASSERT_TRUE(RemoveDirectoryW(settings.c_str()));
    PostCommand(IDC_APPLY);
    EXPECT_EQ(DismissedText(), L"Error1");
    EXPECT_FALSE(e2e::DirectoryExists(settings));

    // A folder where the file was: the same.
    ASSERT_TRUE(CreateDirectoryW(settings.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(tree->IniPath().c_str(), nullptr));
    Click(IDC_PRESET_FIRST + 1);
    PostCommand(IDC_APPLY);
    EXPECT_EQ(DismissedText(), L"Error1");
    ExpectNoBox();
    EXPECT_TRUE(program.Proc().Running());
    CloseAndExpectCodeZero();
}

TEST_F(Robust, ThousandApplyAndClearCyclesKeepEveryOtherKeyAndTheEncoding) {
    tree->WritePresets("-gen gas\r\n-gen gas64\r\n-lang qb\r\n");
    e2e::WriteUtf16File(tree->IniPath(),
                        e2e::ManySectionsIni(Line(L"", L"-gen gas64"), REAL_FBC32));
    const auto others = e2e::OtherEntries(tree->IniPath());
    ASSERT_TRUE(LaunchToMain());
    ExpectNoBox();
    const std::wstring lines[] = {Line(L"-arch 686 ", L"-gen gas"), Line(L"", L"-gen gas64"),
                                  Line(L"", L"-lang qb")};
    SIZE_T warm = 0;
    for (int cycle = 0; cycle < 1000; ++cycle) {
        const int preset = cycle % 3;
        Click(IDC_PRESET_FIRST + preset);
        Command(IDC_APPLY);
        if (cycle % 97 == 0) {
            SCOPED_TRACE(cycle);
            ASSERT_EQ(tree->Switches(), std::optional<std::wstring>(lines[preset]));
        }
        Command(IDC_CLEAR);
        if (cycle % 97 == 1) {
            SCOPED_TRACE(cycle);
            ASSERT_EQ(tree->Switches(), std::optional<std::wstring>(L""));
            ASSERT_EQ(CheckedOption(), IDC_PRESET_FIRST + 3);
        }
        if (cycle == 100)
            warm = e2e::PrivateBytes(program.Proc().Id());
    }
    const SIZE_T after = e2e::PrivateBytes(program.Proc().Id());
    EXPECT_FALSE(program.HasBox());
    bool utf16 = false;
    const std::wstring text = e2e::ReadIniText(tree->IniPath(), &utf16);
    EXPECT_TRUE(utf16) << "the byte-order mark was lost";
    EXPECT_EQ(e2e::IniValue(text, L"Compiler", L"CompilerSwitches"),
              std::optional<std::wstring>(L""));
    EXPECT_EQ(e2e::OtherEntries(tree->IniPath()), others);
    ASSERT_GT(warm, 0u);
    EXPECT_LT(after, warm + 256 * 1024) << "private bytes " << warm << " -> " << after;
    CloseAndExpectCodeZero();
}

TEST_F(Robust, PrivateMemoryStaysFlatOverBoxesEditWindowsAndTicks) {
    ASSERT_TRUE(LaunchToMain());
    ExpectNoBox();
    Command(IDC_CLEAR);
    auto box = [&] {
        PostCommand(IDC_APPLY);
        return DismissedText() == NO_RADIO;
    };
    auto editWindow = [&] {
        HWND edit = OpenEdit(nullptr);
        if (!edit)
            return false;
        CloseEdit(edit, IDCANCEL);
        return true;
    };
    const std::wstring paths[] = {REAL_FBC32, L"D:\\FreeBASIC-1.09.0-win32-gcc-5.2.0\\fbc.exe"};
    auto tick = [&](DWORD ms) {
        const DWORD start = GetTickCount();
        for (int i = 0; GetTickCount() - start < ms; ++i) {
            tree->WriteWinFbeIni(L"", paths[i % 2]);
            WaitUntil([] { return false; }, 100);
        }
    };
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(box());
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(editWindow());
    tick(500);
    const DWORD pid = program.Proc().Id();
    const SIZE_T start = e2e::PrivateBytes(pid);
    ASSERT_GT(start, 0u);

    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(box()) << "box " << i;
    const SIZE_T afterBoxes = e2e::PrivateBytes(pid);
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(editWindow()) << "edit window " << i;
    const SIZE_T afterEdits = e2e::PrivateBytes(pid);
    tick(5000);
    const SIZE_T afterTicks = e2e::PrivateBytes(pid);
    const SIZE_T bound = 512 * 1024;
    EXPECT_LT(afterBoxes, start + bound) << start << " -> " << afterBoxes;
    EXPECT_LT(afterEdits, afterBoxes + bound) << afterBoxes << " -> " << afterEdits;
    EXPECT_LT(afterTicks, afterEdits + bound) << afterEdits << " -> " << afterTicks;
    RecordProperty("private_bytes", std::to_string(start) + " " + std::to_string(afterBoxes) + " " +
                                        std::to_string(afterEdits) + " " +
                                        std::to_string(afterTicks));
    printf("private bytes: start %lu, 200 boxes %lu, 50 edit windows %lu, 5 s ticks %lu\n",
           static_cast<unsigned long>(start), static_cast<unsigned long>(afterBoxes),
           static_cast<unsigned long>(afterEdits), static_cast<unsigned long>(afterTicks));
    CloseAndExpectCodeZero();
}

}  // namespace
