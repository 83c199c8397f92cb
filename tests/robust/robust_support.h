#pragma once
#include <windows.h>

#include <string>
#include <vector>

// What the robustness tests need beyond the end-to-end harness.
namespace robust {

// Section, key and value of one "key=value" line, in file order.
struct IniEntry {
    std::wstring section;
    std::wstring key;
    std::wstring value;
    bool operator==(const IniEntry& o) const {
        return section == o.section && key == o.key && value == o.value;
    }
};

// The file's text: UTF-16LE when it starts with the byte-order mark, else the ANSI code page.
std::wstring ReadIniText(const std::wstring& path, bool* utf16 = nullptr);
std::vector<IniEntry> IniEntries(const std::wstring& text);
// Every entry of the file except Compiler/CompilerSwitches: what the program must not touch.
std::vector<IniEntry> OtherEntries(const std::wstring& path);

// WinFBE.ini with many sections and keys around section Compiler, some values with letters
// outside the ANSI code page, as WinFBE writes it (UTF-16LE, BOM, CRLF).
std::wstring ManySectionsIni(const std::wstring& switches, const std::wstring& compilerPath);

// An installation under any root folder, also one the ANSI code page cannot name:
// root\Tools\{FlagsmithII.exe, Alertkit.dll, FlagsmithII.ini}, root\Settings\WinFBE.ini.
class Installation {
public:
    explicit Installation(const std::wstring& root);
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    bool Complete() const;
    std::wstring Tools() const { return root_ + L"\\Tools"; }
    std::wstring ToolsFile(const std::wstring& name) const { return Tools() + L"\\" + name; }
    std::wstring ProgramPath() const { return ToolsFile(L"FlagsmithII.exe"); }
    std::wstring IniPath() const { return root_ + L"\\Settings\\WinFBE.ini"; }

private:
    std::wstring root_;
};

std::wstring TempFolder();

// Holds a file open without sharing, so every other open (and every profile write) fails.
class FileLock {
public:
    explicit FileLock(const std::wstring& path);
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }
    void Release();

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// Private bytes of another process (PROCESS_QUERY_INFORMATION | PROCESS_VM_READ); 0 on failure.
SIZE_T PrivateBytes(DWORD pid);

}  // namespace robust
