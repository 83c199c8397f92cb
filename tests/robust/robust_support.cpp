#include "tests/robust/robust_support.h"

#include <psapi.h>

#include <filesystem>

#include "tests/e2e/harness.h"

namespace robust {
namespace {

constexpr wchar_t BOM = 0xFEFF;

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text = path;
    return text.substr(0, text.find_last_of(L"\\/"));
}

}  // namespace

std::wstring ReadIniText(const std::wstring& path, bool* utf16) {
    const std::string bytes = e2e::ReadBytes(path);
    const bool wide = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                      static_cast<unsigned char>(bytes[1]) == 0xFE;
    if (utf16)
        *utf16 = wide;
    if (wide)
        return e2e::ReadUtf16File(path);
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring text(
        static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)), L'\0');
    if (!text.empty())
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, &text[0], static_cast<int>(text.size()));
    return text;
}

std::vector<IniEntry> IniEntries(const std::wstring& text) {
    std::vector<IniEntry> entries;
    std::wstring section;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(pos, end - pos);
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

Installation::Installation(const std::wstring& root) : root_(root) {
    CreateDirectoryW(root_.c_str(), nullptr);
    CreateDirectoryW(Tools().c_str(), nullptr);
    CreateDirectoryW((root_ + L"\\Settings").c_str(), nullptr);
    const std::wstring bin = ExeFolder();
    CopyFileW((bin + L"\\FlagsmithII.exe").c_str(), ProgramPath().c_str(), FALSE);
    CopyFileW((bin + L"\\Alertkit.dll").c_str(), ToolsFile(L"Alertkit.dll").c_str(), FALSE);
}

Installation::~Installation() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(root_), ignored);
}

bool Installation::Complete() const {
    return e2e::FileExists(ProgramPath()) && e2e::FileExists(ToolsFile(L"Alertkit.dll")) &&
           e2e::DirectoryExists(root_ + L"\\Settings");
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring base = temp;
    if (!base.empty() && base.back() == L'\\')
        base.pop_back();
    return base;
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

SIZE_T PrivateBytes(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return 0;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    SIZE_T bytes = 0;
    // Wine leaves PrivateUsage at 0 and fills PagefileUsage, which Windows reports as the same
    // commit count.
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters))
        bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    CloseHandle(process);
    return bytes;
}

}  // namespace robust
