#include "app/flag_files_win.h"

#include <windows.h>

#include "framework/text_rules.h"
#include "framework/paths_win.h"
#include "framework/handles.h"

namespace {

bool FlagFileExists(const FlagInfo& flag, const wchar_t* folder) {
    return IsExistingFile(JoinPath(folder, flag.fileName).c_str());
}

}  // namespace

SwitchFlags ReadFlagFiles(const wchar_t* folder) {
    SwitchFlags flags = {};
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        flags.on[i] = FlagFileExists(FLAGS[i], folder);
    }
    return flags;
}

void UpdateFlagFile(const FlagInfo& flag, bool on, const wchar_t* folder) {
    const Text16 path = JoinPath(folder, flag.fileName);
    const bool exists = IsExistingFile(path.c_str());
    if (on && !exists) {
        // Opening without truncation: a file the existence test rejects (marked temporary)
        // keeps its content, as only presence counts. The file is closed at once.
        const FileOwner file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    } else if (!on && exists) {
        // The bare name resolves against the current directory, which start-up made the
        // program's folder.
        DeleteFileW(flag.fileName);
    }
}

void UpdateFlagFiles(const SwitchFlags& flags, const wchar_t* folder) {
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        UpdateFlagFile(FLAGS[i], flags.on[i], folder);
    }
}
