#include <shlwapi.h>

#include <cwchar>

#include "framework/app_window.h"

namespace {

constexpr int MODULE_PATH_UNITS = 260;
constexpr DWORD NOT_A_PLAIN_FILE = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;

bool IsPathSeparator(wchar_t c) {
    return c == L':' || c == L'/' || c == L'\\';
}

// Index just past the last ':', '/' or '\', or 0 when there is none.
size_t NameStart(const wchar_t* path, size_t length) {
    for (size_t i = length; i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) {
            return i;
        }
    }
    return 0;
}

WideText Slice(const wchar_t* start, size_t units) {
    WideText text(L"");
    text.Append(start, static_cast<int>(units * sizeof(wchar_t)));
    return text;
}

WideText ModulePath() {
    wchar_t path[MODULE_PATH_UNITS] = {};
    GetModuleFileNameW(nullptr, path, MODULE_PATH_UNITS);
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
    const size_t length = std::wcslen(modulePath);
    const wchar_t* name = modulePath + NameStart(modulePath, length);
    // The folder is cut off first, so a dot in a folder name is not taken for the extension's.
    const wchar_t* dot = std::wcsrchr(name, L'.');
    return Slice(name, dot ? static_cast<size_t>(dot - name) : std::wcslen(name));
}

WideText FolderOfPath(const wchar_t* modulePath) {
    if (!modulePath) {
        return WideText(L"");
    }
    const size_t length = std::wcslen(modulePath);
    const size_t start = NameStart(modulePath, length);
    if (start == 0) {
        return WideText(modulePath);
    }
    wchar_t folder[MODULE_PATH_UNITS] = {};
    lstrcpynW(folder, modulePath,
              static_cast<int>(start < MODULE_PATH_UNITS ? start + 1 : MODULE_PATH_UNITS));
    // A drive root keeps its backslash here: C:\ stays C:\.
    PathRemoveBackslashW(folder);
    return WideText(folder);
}

WideText ExecutableBaseName() {
    return BaseNameOfPath(ModulePath().Text());
}

WideText ExecutableFolder() {
    return FolderOfPath(ModulePath().Text());
}
