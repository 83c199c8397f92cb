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

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
using IsProcessDpiAwareFunction = BOOL(WINAPI*)();

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
