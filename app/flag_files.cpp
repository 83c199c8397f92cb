#include "app/flag_files.h"

#include <string>

#include "framework/file_paths.h"

namespace {

std::wstring FlagFilePath(const FlagInfo& flag, const wchar_t* folder) {
    return std::wstring(folder) + L"\\" + flag.fileName;
}

bool IsChecked(HWND window, const FlagInfo& flag) {
    return SendDlgItemMessageW(window, flag.controlId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

void ReadFlagFiles(HWND window, const wchar_t* folder) {
    for (const FlagInfo* flag : {&ConsoleFlag, &ExxFlag, &Arch686Flag}) {
        if (IsExistingFile(FlagFilePath(*flag, folder).c_str())) {
            SendDlgItemMessageW(window, flag->controlId, BM_SETCHECK, BST_CHECKED, 0);
        }
    }
}

void UpdateFlagFile(HWND window, const FlagInfo& flag, const wchar_t* folder) {
    const std::wstring path = FlagFilePath(flag, folder);
    const bool exists = IsExistingFile(path.c_str());
    const bool checked = IsChecked(window, flag);
    if (checked && !exists) {
        // Opening without truncation: a file the existence test rejects (marked temporary)
        // keeps its content, as only presence counts.
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
    } else if (!checked && exists) {
        // The bare name resolves against the current directory, which start-up made the
        // program's folder.
        DeleteFileW(flag.fileName);
    }
}

void UpdateFlagFiles(HWND window, const wchar_t* folder) {
    for (const FlagInfo* flag : {&ConsoleFlag, &Arch686Flag, &ExxFlag}) {
        UpdateFlagFile(window, *flag, folder);
    }
}
