#include "framework/system_info_win.h"

#include <windows.h>

#include "framework/handles.h"
#include "framework/version_number.h"

namespace {

constexpr const wchar_t* NTDLL_NAME = L"NtDll.dll";
constexpr const char* RTL_GET_VERSION_NAME = "RtlGetVersion";
constexpr const wchar_t* USER32_NAME = L"user32.dll";
constexpr const char* IS_PROCESS_DPI_AWARE_NAME = "IsProcessDPIAware";
constexpr const char* WINE_GET_VERSION_NAME = "wine_get_version";
constexpr LONG STATUS_OK = 0;
constexpr const wchar_t* ADVAPI32_NAME = L"advapi32.dll";
constexpr const char* REG_GET_VALUE_NAME = "RegGetValueW";
constexpr const wchar_t* WINE_X11_KEY = L"Software\\Wine\\X11 Driver";
constexpr const wchar_t* WINE_MANAGED_VALUE = L"Managed";

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
using IsProcessDpiAwareFunction = BOOL(WINAPI*)();
using RegGetValueFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPCWSTR, DWORD, LPDWORD, PVOID, LPDWORD);

// Both functions are optional: old systems and Wine builds may lack them.
template <typename Function>
Function LookUp(HMODULE module, const char* name) {
    FARPROC address = GetProcAddress(module, name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

int QueryWindowsVersion() {
    ModuleOwner ntdll(LoadLibraryW(NTDLL_NAME));
    if (!ntdll) {
        return 0;
    }
    int version = 0;
    if (auto rtlGetVersion = LookUp<RtlGetVersionFunction>(ntdll.get(), RTL_GET_VERSION_NAME)) {
        OSVERSIONINFOEXW info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        if (rtlGetVersion(&info) == STATUS_OK) {
            version = WindowsVersionNumber(info.dwMajorVersion, info.dwMinorVersion);
        }
    }
    return version;
}

bool IsDpiAwareProcess() {
    ModuleOwner user32(LoadLibraryW(USER32_NAME));
    if (!user32) {
        return false;
    }
    auto isProcessDpiAware =
        LookUp<IsProcessDpiAwareFunction>(user32.get(), IS_PROCESS_DPI_AWARE_NAME);
    return isProcessDpiAware && isProcessDpiAware() != FALSE;
}

bool RunsUnderWine() {
    // ntdll is in every process from its start: no reference to take or release.
    HMODULE ntdll = GetModuleHandleW(NTDLL_NAME);
    return ntdll && GetProcAddress(ntdll, WINE_GET_VERSION_NAME) != nullptr;
}

bool StackedByWindowManager() {
    if (!RunsUnderWine()) {
        return false;
    }
    // Wine leaves the windows to the host's manager unless its X11 driver's "Managed" setting
    // is off; it reads the setting's first letter, y, t or 1 meaning on.
    ModuleOwner advapi32(LoadLibraryW(ADVAPI32_NAME));
    auto regGetValue =
        advapi32 ? LookUp<RegGetValueFunction>(advapi32.get(), REG_GET_VALUE_NAME) : nullptr;
    wchar_t setting[8] = {};
    DWORD size = sizeof setting;
    if (!regGetValue || regGetValue(HKEY_CURRENT_USER, WINE_X11_KEY, WINE_MANAGED_VALUE,
                                    RRF_RT_REG_SZ, nullptr, setting, &size) != ERROR_SUCCESS) {
        return true;
    }
    const wchar_t first = setting[0];
    return first == L'y' || first == L'Y' || first == L't' || first == L'T' || first == L'1';
}
