#include "app/settings_file_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/ansi_text_win.h"
#include "app/identifiers.h"
#include "app/position_codec.h"
#include "app/status_text.h"
#include "app/switch_line.h"
#include "framework/system_info_win.h"
#include "tests/app/parking_cases.h"
#include "tests/app/test_folder.h"
#include "tests/harness/files.h"

namespace {

constexpr const char* COMPILER_PATH =
    "C:\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe";

std::wstring WinFbeIni() {
    return L"[General]\r\nLanguage=english.lang\r\n\r\n[Compiler]\r\nFBWINCompiler32=" +
           std::wstring(AnsiToWide(COMPILER_PATH).c_str()) +
           L"\r\nCompilerSwitches=-arch 686 -w all -fpmode fast -fpu sse -gen gas\r\n"
           L"FBWINCompiler64=C:\\WinFBE\\fbc64.exe\r\n\r\n[Editor]\r\nTabSize=4\r\n";
}

// The settings of a program in folder, with WinFBE.ini beside it.
SettingsFile SettingsIn(const TestFolder& folder) {
    return SettingsFile(folder.File(L"WinFBE.ini").c_str(), folder.Path().c_str());
}

class PositionGuard {
public:
    PositionGuard(int left, int top) : left_(g_savedLeft), top_(g_savedTop) {
        g_savedLeft = left;
        g_savedTop = top;
    }
    ~PositionGuard() {
        g_savedLeft = left_;
        g_savedTop = top_;
    }

private:
    int left_;
    int top_;
};

}  // namespace

TEST(SettingsFile, PathIsTheSettingsFolderBesideTheProgramFolder) {
    TestFolder folder;
    const std::wstring program = folder.File(L"Sub");
    CreateDirectoryW(program.c_str(), nullptr);
    CurrentDirectoryGuard restore;

    ASSERT_TRUE(SetCurrentDirectoryW(program.c_str()));
    EXPECT_EQ(folder.File(L"Settings\\WinFBE.ini"), ComputeIniPath(program.c_str()).Path());

    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
    EXPECT_STREQ(L"C:\\Settings\\WinFBE.ini", ComputeIniPath(program.c_str()).Path());
}

TEST(SettingsFile, ReadsAndWritesAWinFbeStyleFileKeepingEverythingElse) {
    TestFolder folder;
    const std::wstring ini = folder.File(L"WinFBE.ini");
    e2e::WriteUtf16File(ini, WinFbeIni());
    const SettingsFile settings = SettingsIn(folder);

    EXPECT_EQ("-arch 686 -w all -fpmode fast -fpu sse -gen gas",
              settings.ReadCompilerValue(CompilerKey::Switches));
    EXPECT_EQ(" fbc 1.10.1 / gcc 9.3.0",
              StatusTextFromCompilerPath(settings.ReadCompilerValue(CompilerKey::Path)));

    const std::wstring line = ComposeSwitchLine({true, false, true}, L"-gen gas64").c_str();
    ASSERT_TRUE(settings.WriteSwitchLine(line.c_str()));
    EXPECT_EQ(WideToAnsi(line), settings.ReadCompilerValue(CompilerKey::Switches));

    // The platform's writer drops blank lines; every section and key stays, in UTF-16LE.
    std::wstring expected = WinFbeIni();
    for (size_t at; (at = expected.find(L"\r\n\r\n")) != std::wstring::npos;) {
        expected.erase(at, 2);
    }
    const std::wstring old = L"-arch 686 -w all -fpmode fast -fpu sse -gen gas";
    expected.replace(expected.find(old), old.size(), line);
    std::string written = ReadFileBytes(ini);
    for (size_t at; (at = written.find("\r\0\n\0\r\0\n\0", 0, 8)) != std::string::npos;) {
        written.erase(at, 4);
    }
    EXPECT_EQ(e2e::Utf16Bytes(expected), written);
}

TEST(SettingsFile, MissingSectionReadsEmptyAndTheWriteCreatesIt) {
    TestFolder folder;
    const std::wstring ini = folder.File(L"WinFBE.ini");
    e2e::WriteUtf16File(ini, L"[Editor]\r\nTabSize=4\r\n");
    const SettingsFile settings = SettingsIn(folder);

    EXPECT_EQ("", settings.ReadCompilerValue(CompilerKey::Switches));
    EXPECT_EQ("", settings.ReadCompilerValue(CompilerKey::Path));
    ASSERT_TRUE(settings.WriteSwitchLine(L"-w all -fpmode fast -fpu sse -gen gas"));
    EXPECT_EQ("-w all -fpmode fast -fpu sse -gen gas",
              settings.ReadCompilerValue(CompilerKey::Switches));
    wchar_t tabSize[8] = {};
    GetPrivateProfileStringW(L"Editor", L"TabSize", L"", tabSize, 8, ini.c_str());
    EXPECT_STREQ(L"4", tabSize);
}

TEST(SettingsFile, LongValueIsCutAndNoLongerMatches) {
    TestFolder folder;
    const std::wstring ini = folder.File(L"WinFBE.ini");
    const std::wstring preset = L"-gen gcc " + std::wstring(300 - 29 - 9, L'O');
    const std::wstring line = BASE_SWITCHES + preset;
    ASSERT_EQ(300u, line.size());
    e2e::WriteUtf16File(ini, L"[Compiler]\r\nCompilerSwitches=" + line + L"\r\n");
    const SettingsFile settings = SettingsIn(folder);

    const Text8 value = settings.ReadCompilerValue(CompilerKey::Switches);
    EXPECT_EQ(WideToAnsi(line.substr(0, MAX_TEXT_CHARS)), value);
    EXPECT_EQ(0, MatchPresetIn({preset}, AnsiToWide(value)));
}

TEST(SettingsFile, MissingFileReadsEmpty) {
    TestFolder folder;
    const SettingsFile settings = SettingsIn(folder);
    EXPECT_EQ("", settings.ReadCompilerValue(CompilerKey::Switches));
}

TEST(SettingsFile, FolderOutsideTheCodePageStillReadsTheLine) {
    TestFolder folder;
    const std::wstring settings = folder.File(
        L"\x03a3\x03cd\x03bd\x03b8\x03b5\x03c3\x03b7 \x0421\x0431\x043e\x0440\x043a\x0430");
    if (!CreateDirectoryW(settings.c_str(), nullptr)) {
        // Wine names a folder in the Unix locale's encoding and, without a UTF-8 locale, fails
        // for these letters with "file not found" in a folder that exists.
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND && RunsUnderWine()) {
            GTEST_SKIP() << "Wine cannot name Greek or Cyrillic folders: the Unix side runs "
                            "without a UTF-8 locale";
        }
        FAIL() << "the settings folder could not be created, error " << error;
    }
    const std::wstring ini = settings + L"\\WinFBE.ini";
    ASSERT_FALSE(SurvivesAnsiRoundTrip(ini));
    e2e::WriteUtf16File(ini, WinFbeIni());
    const SettingsFile wide(ini.c_str(), folder.Path().c_str());

    EXPECT_EQ("-arch 686 -w all -fpmode fast -fpu sse -gen gas",
              wide.ReadCompilerValue(CompilerKey::Switches));
    EXPECT_EQ(COMPILER_PATH, wide.ReadCompilerValue(CompilerKey::Path));
    ASSERT_TRUE(wide.WriteSwitchLine(L"-w all -fpmode fast -fpu sse -gen gas64"));
    EXPECT_EQ("-w all -fpmode fast -fpu sse -gen gas64",
              wide.ReadCompilerValue(CompilerKey::Switches));
}

TEST(SettingsFile, WriteReportsAFileHeldByAnotherProgram) {
    TestFolder folder;
    const std::wstring ini = folder.File(L"WinFBE.ini");
    e2e::WriteUtf16File(ini, WinFbeIni());
    const SettingsFile settings = SettingsIn(folder);
    HANDLE held = CreateFileW(ini.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(settings.WriteSwitchLine(L"-gen gas"));
    CloseHandle(held);
}

TEST(PositionFile, ReadsOnlyAnExistingFile) {
    TestFolder folder;
    PositionGuard saved(7, 7);
    EXPECT_FALSE(SettingsIn(folder).ReadPosition());
    EXPECT_EQ(7, g_savedLeft);

    CreateDirectoryW(folder.File(POSITION_FILE_NAME).c_str(), nullptr);
    EXPECT_FALSE(SettingsIn(folder).ReadPosition());
    RemoveDirectoryW(folder.File(POSITION_FILE_NAME).c_str());

    WriteBytes(folder.File(POSITION_FILE_NAME), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_TRUE(SettingsIn(folder).ReadPosition());
    EXPECT_EQ(-2, g_savedLeft);
    EXPECT_EQ(0, g_savedTop);
}

TEST(PositionFile, WrittenOnlyWhenMoved) {
    TestFolder folder;
    const std::wstring file = folder.File(POSITION_FILE_NAME);
    PositionGuard saved(26, 100);

    SettingsIn(folder).WritePositionIfMoved(26, 100);
    EXPECT_FALSE(FileExists(file));

    WriteBytes(file, std::string(12, 'z'));
    SettingsIn(folder).WritePositionIfMoved(-40, 100);
    EXPECT_EQ(EncodePosition(-40, 100), ReadFileBytes(file));
    EXPECT_EQ(26, g_savedLeft);
    EXPECT_TRUE(SettingsIn(folder).ReadPosition());
    EXPECT_EQ(-40, g_savedLeft);
    EXPECT_EQ(100, g_savedTop);
}

// A parking place in the file reads as absent, and it is never written (which places count:
// position_codec_test.cpp).
TEST(PositionFile, ParkingPlaceIsNeitherReadNorWritten) {
    for (const ParkingCase& c : PARKING_CASES) {
        SCOPED_TRACE(testing::Message() << c.left << ", " << c.top);
        TestFolder folder;
        const std::wstring file = folder.File(POSITION_FILE_NAME);
        PositionGuard saved(7, 7);
        WriteBytes(file, {EncodePosition(c.left, c.top).data(), POSITION_BYTES});
        EXPECT_EQ(c.valid, SettingsIn(folder).ReadPosition());
        EXPECT_EQ(c.valid ? c.left : 7, g_savedLeft);
        EXPECT_EQ(c.valid ? c.top : 7, g_savedTop);

        DeleteFileW(file.c_str());
        g_savedLeft = 7;
        g_savedTop = 7;
        SettingsIn(folder).WritePositionIfMoved(c.left, c.top);
        EXPECT_EQ(c.valid, FileExists(file));
    }
}
