#include "tests/harness/files.h"

#include <gtest/gtest.h>

#include <cstring>

namespace e2e {
namespace {

constexpr wchar_t BOM = 0xFEFF;

}  // namespace

// Written as an editor writes a settings file, sharing it with whoever has it open: the program
// reads WinFBE.ini on every tick, and an unshared open made in that moment is refused. A write
// refused all the same fails the test rather than leaving the old content to be read.
void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool done =
        file != INVALID_HANDLE_VALUE &&
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    const DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!done)
        ADD_FAILURE() << "not written: " << std::string(path.begin(), path.end()) << " (error "
                      << error << ")";
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Utf16Bytes(const std::wstring& text) {
    const std::wstring withBom = std::wstring(1, BOM) + text;
    return std::string(reinterpret_cast<const char*>(withBom.data()),
                       withBom.size() * sizeof(wchar_t));
}

void WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    WriteBytes(path, Utf16Bytes(text));
}

std::wstring ReadIniText(const std::wstring& path, bool* utf16) {
    return IniText(ReadBytes(path), utf16);
}

std::wstring IniText(const std::string& bytes, bool* utf16) {
    const bool wide = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                      static_cast<unsigned char>(bytes[1]) == 0xFE;
    if (utf16)
        *utf16 = wide;
    if (wide) {
        std::wstring text(bytes.size() / 2 - 1, L'\0');
        if (!text.empty())
            memcpy(&text[0], bytes.data() + 2, text.size() * sizeof(wchar_t));
        return text;
    }
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring text(
        static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)), L'\0');
    if (!text.empty())
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, &text[0], static_cast<int>(text.size()));
    return text;
}

std::vector<IniEntry> IniEntries(const std::wstring& iniText) {
    std::vector<IniEntry> entries;
    std::wstring section;
    size_t pos = 0;
    while (pos < iniText.size()) {
        size_t end = iniText.find(L'\n', pos);
        if (end == std::wstring::npos)
            end = iniText.size();
        std::wstring line = iniText.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (!line.empty() && line.front() == L'[') {
            section = line.substr(1, line.find(L']') - 1);
            continue;
        }
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos)
            continue;
        entries.push_back({section, line.substr(0, equals), line.substr(equals + 1)});
    }
    return entries;
}

std::optional<std::wstring> IniValue(const std::wstring& iniText,
                                     const std::wstring& section,
                                     const std::wstring& key) {
    auto same = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                    static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
    };
    for (const IniEntry& entry : IniEntries(iniText))
        if (same(entry.section, section) && same(entry.key, key))
            return entry.value;
    return std::nullopt;
}

std::vector<IniEntry> OtherEntries(const std::wstring& path) {
    std::vector<IniEntry> others;
    for (const IniEntry& entry : IniEntries(ReadIniText(path)))
        if (!(lstrcmpiW(entry.section.c_str(), L"Compiler") == 0 &&
              lstrcmpiW(entry.key.c_str(), L"CompilerSwitches") == 0))
            others.push_back(entry);
    return others;
}

std::wstring ManySectionsIni(const std::wstring& switches, const std::wstring& compilerPath) {
    std::wstring text;
    for (int s = 0; s < 24; ++s) {
        text += L"[Section" + std::to_wstring(s) + L"]\r\n";
        for (int k = 0; k < 8; ++k)
            text += L"Key" + std::to_wstring(k) + L"=value " + std::to_wstring(s * 8 + k) +
                    L" \x03A9\x0416 C:\\path\\with-dashes ;not a comment\r\n";
        if (s == 11) {
            text += L"[Compiler]\r\nFBWINCompiler32=" + compilerPath + L"\r\n";
            text +=
                L"FBWINCompiler64=C:\\WinFBE\\fbc64.exe\r\nCompilerSwitches=" + switches + L"\r\n";
            text += L"CompilerSwitchesExtra=keep me\r\n";
        }
    }
    return text;
}

std::string PositionBytes(LONG left, LONG top) {
    std::string bytes(8, '\0');
    memcpy(&bytes[0], &left, 4);
    memcpy(&bytes[4], &top, 4);
    return bytes;
}

FileLock::FileLock(const std::wstring& path) {
    file_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
}

void FileLock::Release() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}

}  // namespace e2e
