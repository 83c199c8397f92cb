#include "framework/paths_win.h"

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

}  // namespace

// The folder rule is the one of lstrcpynW into a MAX_PATH buffer and PathRemoveBackslashW,
// which keeps the backslash of a root. Only roots every Wine tells as Windows does are asked:
// Wine 8's PathIsRootW takes "\\server\" and "\\\" for roots and "\\?\C:\" for none, so
// the folders of "\\server\prog.exe", "\\\prog.exe" and "\\?\C:\prog.exe" are held to
// Windows' answers in the pure test instead.
TEST(FilePaths, FolderCutsAsThePlatformDoes) {
    const std::wstring deep = L"C:\\" + std::wstring(300, L'x') + L"\\prog.exe";
    // Cut right after a backslash.
    const std::wstring cutAtBackslash = L"C:\\" + std::wstring(255, L'x') + L"\\y\\z.exe";
    const std::wstring cases[] = {
        L"\\prog.exe",
        L"\\\\prog.exe",
        L"\\\\server\\share\\prog.exe",
        L"X:\\prog.exe",
        L"C:\\\\prog.exe",
        L"C:/prog.exe",
        deep,
        cutAtBackslash,
    };
    for (const std::wstring& path : cases) {
        SCOPED_TRACE(testing::PrintToString(path));
        const size_t start = path.find_last_of(L":/\\") + 1;
        wchar_t expected[MAX_PATH] = {};
        lstrcpynW(expected, path.c_str(),
                  static_cast<int>(start < MAX_PATH ? start + 1 : MAX_PATH));
        PathRemoveBackslashW(expected);
        EXPECT_STREQ(FolderOfPath(path.c_str()).Text(), expected);
    }
    EXPECT_STREQ(FolderOfPath(nullptr).Text(), L"");
    EXPECT_STREQ(BaseNameOfPath(nullptr).Text(), L"");
}

TEST(FilePaths, ExecutableNameAndFolder) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_STREQ(ExecutableBaseName().Text(), L"framework_test");
    const std::wstring folder = ExecutableFolder().Text();
    EXPECT_EQ(std::wstring(path), folder + L"\\framework_test.exe");
}

TEST(FilePaths, IsExistingFileTakesOnlyPlainFiles) {
    const std::wstring folder = TempFolder();
    const std::wstring file = folder + L"framework_test_plain.txt";
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);

    EXPECT_TRUE(IsExistingFile(file.c_str()));
    EXPECT_FALSE(IsExistingFile(folder.substr(0, folder.size() - 1).c_str())) << "a directory";
    EXPECT_FALSE(IsExistingFile(L""));
    EXPECT_FALSE(IsExistingFile(nullptr));
    EXPECT_FALSE(IsExistingFile((folder + L"framework_test_missing.txt").c_str()));

    // Wine accepts the temporary attribute but may not keep it; judge it only where it reads back.
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_TEMPORARY);
    if (GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_TEMPORARY) {
        EXPECT_FALSE(IsExistingFile(file.c_str())) << "a temporary file";
    }
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());
}
