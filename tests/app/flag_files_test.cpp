#include "app/flag_files.h"

#include <gtest/gtest.h>

#include "tests/app/test_folder.h"

namespace {

const FlagInfo* const FLAGS[] = {&ConsoleFlag, &Arch686Flag, &ExxFlag};

// A hidden parent with the three flag check boxes, as the main window has them.
class FlagBoxes {
public:
    FlagBoxes() {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        for (const FlagInfo* flag : FLAGS) {
            CreateWindowExW(0, L"BUTTON", flag->caption, WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 50, 20,
                            parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(flag->controlId)),
                            GetModuleHandleW(nullptr), nullptr);
        }
    }
    ~FlagBoxes() { DestroyWindow(parent_); }
    FlagBoxes(const FlagBoxes&) = delete;
    FlagBoxes& operator=(const FlagBoxes&) = delete;

    HWND Window() const { return parent_; }
    bool Checked(const FlagInfo& flag) const {
        return SendDlgItemMessageW(parent_, flag.controlId, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void Set(const FlagInfo& flag, bool checked) const {
        SendDlgItemMessageW(parent_, flag.controlId, BM_SETCHECK,
                            checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

private:
    HWND parent_ = nullptr;
};

}  // namespace

TEST(FlagFiles, StartUpChecksOnlyTheFlagsWhoseFilesExist) {
    TestFolder folder;
    WriteBytes(folder.File(ConsoleFlag.fileName), "");
    CreateDirectoryW(folder.File(ExxFlag.fileName).c_str(), nullptr);
    FlagBoxes boxes;
    ASSERT_NE(nullptr, boxes.Window());
    ReadFlagFiles(boxes.Window(), folder.Path().c_str());
    EXPECT_TRUE(boxes.Checked(ConsoleFlag));
    EXPECT_FALSE(boxes.Checked(Arch686Flag));
    EXPECT_FALSE(boxes.Checked(ExxFlag));
}

TEST(FlagFiles, UpdateCreatesEmptyFilesAndDeletesByBareName) {
    TestFolder folder;
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    WriteBytes(folder.File(Arch686Flag.fileName), "kept until unchecked");
    FlagBoxes boxes;

    const bool rounds[][3] = {{true, false, true}, {true, true, true}, {false, false, false}};
    for (const auto& states : rounds) {
        for (int i = 0; i < 3; ++i) {
            boxes.Set(*FLAGS[i], states[i]);
        }
        UpdateFlagFiles(boxes.Window(), folder.Path().c_str());
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << FLAGS[i]->caption << " " << states[i]);
            EXPECT_EQ(states[i], FileExists(folder.File(FLAGS[i]->fileName)));
        }
    }
    boxes.Set(ConsoleFlag, true);
    UpdateFlagFiles(boxes.Window(), folder.Path().c_str());
    EXPECT_EQ("", ReadFileBytes(folder.File(ConsoleFlag.fileName)));
}

TEST(FlagFiles, FolderNamedLikeAFlagFileIsLeftAlone) {
    TestFolder folder;
    CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    const std::wstring exx = folder.File(ExxFlag.fileName);
    CreateDirectoryW(exx.c_str(), nullptr);
    FlagBoxes boxes;
    for (bool checked : {true, false}) {
        boxes.Set(ExxFlag, checked);
        UpdateFlagFile(boxes.Window(), ExxFlag, folder.Path().c_str());
        EXPECT_TRUE(GetFileAttributesW(exx.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    }
}
