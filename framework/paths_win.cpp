#include "framework/paths_win.h"

#include <windows.h>

#include "framework/paths.h"
#include "framework/text_rules.h"

namespace {

constexpr DWORD NOT_A_PLAIN_FILE = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;

WideText ModulePath() {
    wchar_t path[TEXT_BUFFER_UNITS] = {};
    GetModuleFileNameW(nullptr, path, TEXT_BUFFER_UNITS);
    return WideText(path);
}

}  // namespace

bool IsExistingFile(const wchar_t* path) {
    if (!path) {
        return false;
    }
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return (found.dwFileAttributes & NOT_A_PLAIN_FILE) == 0;
}

WideText BaseNameOfPath(const wchar_t* modulePath) {
    if (!modulePath) {
        return WideText(L"");
    }
    return WideText(PathBaseName(modulePath).c_str());
}

WideText FolderOfPath(const wchar_t* modulePath) {
    if (!modulePath) {
        return WideText(L"");
    }
    return WideText(PathFolder(modulePath).c_str());
}

WideText ExecutableBaseName() {
    return BaseNameOfPath(ModulePath().Text());
}

WideText ExecutableFolder() {
    return FolderOfPath(ModulePath().Text());
}
