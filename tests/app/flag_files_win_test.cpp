#include "app/flag_files_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/app/test_folder.h"

namespace {

const FlagInfo* const FLAGS[] = {&ConsoleFlag, &Arch686Flag, &ExxFlag};

}  // namespace

TEST(FlagFiles, StartUpFindsOnlyTheFlagsWhoseFilesExist) {
    TestFolder folder;
    WriteBytes(folder.File(ConsoleFlag.fileName), "");
    CreateDirectoryW(folder.File(ExxFlag.fileName).c_str(), nullptr);
    const SwitchFlags found = ReadFlagFiles(folder.Path().c_str());
    EXPECT_TRUE(found.console);
    EXPECT_FALSE(found.arch686);
    EXPECT_FALSE(found.exx);
}

TEST(FlagFiles, UpdateCreatesEmptyFilesAndDeletesByBareName) {
    TestFolder folder;
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    WriteBytes(folder.File(Arch686Flag.fileName), "kept until unchecked");

    const bool rounds[][3] = {{true, false, true}, {true, true, true}, {false, false, false}};
    for (const auto& states : rounds) {
        UpdateFlagFiles({states[0], states[1], states[2]}, folder.Path().c_str());
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << FLAGS[i]->caption << " " << states[i]);
            EXPECT_EQ(states[i], FileExists(folder.File(FLAGS[i]->fileName)));
        }
    }
    UpdateFlagFiles({true, false, false}, folder.Path().c_str());
    EXPECT_EQ("", ReadFileBytes(folder.File(ConsoleFlag.fileName)));
}

TEST(FlagFiles, FolderNamedLikeAFlagFileIsLeftAlone) {
    TestFolder folder;
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    const std::wstring exx = folder.File(ExxFlag.fileName);
    CreateDirectoryW(exx.c_str(), nullptr);
    for (bool on : {true, false}) {
        UpdateFlagFile(ExxFlag, on, folder.Path().c_str());
        EXPECT_TRUE(GetFileAttributesW(exx.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    }
}
