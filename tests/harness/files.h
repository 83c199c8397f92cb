#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The files the program reads and writes, seen from outside: as bytes and as settings text.
namespace e2e {

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

// The text as WinFBE writes its settings: UTF-16LE behind the byte-order mark (the text
// brings its own CRLF line ends); as bytes, and written to a file.
std::string Utf16Bytes(const std::wstring& text);
void WriteUtf16File(const std::wstring& path, const std::wstring& text);
// A settings file's text without the byte-order mark: UTF-16LE when the file starts with the
// mark, else the ANSI code page. utf16, when given, tells which.
std::wstring ReadIniText(const std::wstring& path, bool* utf16 = nullptr);
// The same for a settings file's bytes already read.
std::wstring IniText(const std::string& bytes, bool* utf16 = nullptr);

// Section, key and value of one "key=value" line, in file order.
struct IniEntry {
    std::wstring section;
    std::wstring key;
    std::wstring value;
    bool operator==(const IniEntry& o) const {
        return section == o.section && key == o.key && value == o.value;
    }
};
std::vector<IniEntry> IniEntries(const std::wstring& iniText);
// The raw value of key in section (both compared without case), untrimmed; nullopt when the
// section or the key is missing.
std::optional<std::wstring> IniValue(const std::wstring& iniText,
                                     const std::wstring& section,
                                     const std::wstring& key);
// Every entry of the settings file except Compiler/CompilerSwitches: what the program must not
// touch.
std::vector<IniEntry> OtherEntries(const std::wstring& path);
// WinFBE.ini with many sections and keys around section Compiler, some values with letters
// outside the ANSI code page.
std::wstring ManySectionsIni(const std::wstring& switches, const std::wstring& compilerPath);

// The position file's bytes: left and top as two 32-bit little-endian numbers.
std::string PositionBytes(LONG left, LONG top);

// Holds a file open without sharing, so every other open (and every profile write) fails;
// under Wine, where root may write a read-only file, the one sure way to make a write fail.
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

}  // namespace e2e
