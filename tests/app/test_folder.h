#pragma once
#include <string>

#include "tests/harness/files.h"

// A fresh folder under the temporary folder, removed with its content at the end of the test.
class TestFolder {
public:
    explicit TestFolder(const std::wstring& name = L"app");
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Restores the current directory at the end of the test.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard();
    ~CurrentDirectoryGuard();
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    std::wstring saved_;
};

using e2e::WriteBytes;
// The whole content of a file, read by the program's own reader; empty when it cannot be opened.
std::string ReadFileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
