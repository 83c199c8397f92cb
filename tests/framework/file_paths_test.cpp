#include <gtest/gtest.h>

#include <string>

#include "framework/app_window.h"

namespace {

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

}  // namespace

TEST(FilePaths, BaseNameAndFolderOfModulePaths) {
    struct Case {
        const wchar_t* path;
        const wchar_t* baseName;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"C:\\Tools\\prog.exe", L"prog", L"C:\\Tools"},
        {L"C:\\Tools\\my.tool.exe", L"my.tool", L"C:\\Tools"},
        {L"C:\\a.b\\prog", L"prog", L"C:\\a.b"},
        {L"C:\\prog.exe", L"prog", L"C:\\"},
        {L"C:prog.exe", L"prog", L"C:"},
        {L"D:/x/y/run.me.exe", L"run.me", L"D:/x/y/"},  // only a backslash is removed
        {L"prog.exe", L"prog", L"prog.exe"},
        {L"C:\\Tools\\", L"", L"C:\\Tools"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_STREQ(BaseNameOfPath(c.path).Text(), c.baseName);
        EXPECT_STREQ(FolderOfPath(c.path).Text(), c.folder);
    }
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
