#include "app/flag_files_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/app/test_folder.h"

namespace {

const FlagInfo& CONSOLE = FLAGS[FlagIndex(IDC_CONSOLE)];
const FlagInfo& ARCH686 = FLAGS[FlagIndex(IDC_ARCH686)];
const FlagInfo& EXX = FLAGS[FlagIndex(IDC_EXX)];

}  // namespace

TEST(FlagFiles, StartUpFindsOnlyTheFlagsWhoseFilesExist) {
    TestFolder folder;
    WriteBytes(folder.File(CONSOLE.fileName), "");
    CreateDirectoryW(folder.File(EXX.fileName).c_str(), nullptr);
    const SwitchFlags found = ReadFlagFiles(folder.Path().c_str());
    EXPECT_TRUE(found.on[FlagIndex(IDC_CONSOLE)]);
    EXPECT_FALSE(found.on[FlagIndex(IDC_ARCH686)]);
    EXPECT_FALSE(found.on[FlagIndex(IDC_EXX)]);
}

TEST(FlagFiles, UpdateCreatesEmptyFilesAndDeletesByBareName) {
    TestFolder folder;
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    WriteBytes(folder.File(ARCH686.fileName), "kept until unchecked");

    const SwitchFlags rounds[] = {{true, false, true}, {true, true, true}, {false, false, false}};
    for (const SwitchFlags& states : rounds) {
        UpdateFlagFiles(states, folder.Path().c_str());
        for (size_t i = 0; i < FLAG_COUNT; ++i) {
            SCOPED_TRACE(testing::Message() << FLAGS[i].caption << " " << states.on[i]);
            EXPECT_EQ(states.on[i], FileExists(folder.File(FLAGS[i].fileName)));
        }
    }
    UpdateFlagFiles({true, false, false}, folder.Path().c_str());
    EXPECT_EQ("", ReadFileBytes(folder.File(CONSOLE.fileName)));
}

TEST(FlagFiles, FolderNamedLikeAFlagFileIsLeftAlone) {
    TestFolder folder;
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    const std::wstring exx = folder.File(EXX.fileName);
    CreateDirectoryW(exx.c_str(), nullptr);
    for (bool on : {true, false}) {
        UpdateFlagFile(EXX, on, folder.Path().c_str());
        EXPECT_TRUE(GetFileAttributesW(exx.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    }
}
