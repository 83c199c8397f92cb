#include "tests/app/test_folder.h"

#include <windows.h>

#include "app/byte_stream_win.h"

namespace {

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

TestFolder::TestFolder(const std::wstring& name) {
    static int counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"fs_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++counter) + L"_" + name;
    if (!path_.empty() && path_.back() == L'\\') {
        path_.pop_back();
    }
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() {
    RemoveTree(path_);
}

CurrentDirectoryGuard::CurrentDirectoryGuard() {
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    saved_ = current;
}

CurrentDirectoryGuard::~CurrentDirectoryGuard() {
    SetCurrentDirectoryW(saved_.c_str());
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    FileByteStream stream(path.c_str());
    while (!stream.AtEnd()) {
        bytes += stream.Peek();
        stream.Skip();
    }
    return bytes;
}
