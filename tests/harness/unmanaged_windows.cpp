#include "tests/harness/unmanaged_windows.h"

#include <windows.h>

namespace e2e {
namespace {

constexpr const wchar_t* X11_DRIVER_KEY = L"Software\\Wine\\X11 Driver";
constexpr const wchar_t* MANAGED_VALUE = L"Managed";

}  // namespace

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool UnderWindowManager() {
    wchar_t desktop[16] = {};
    return GetEnvironmentVariableW(L"FLAGSMITH_DESKTOP", desktop, 16) &&
           !lstrcmpW(desktop, L"openbox");
}

// On a virtual display without a window manager, Wine waits up to 2 seconds for one to
// withdraw every managed window that is hidden or destroyed; that wait would swallow what the
// tests measure about windows and programs ending, and no real desktop has it. The test
// prefix is laid out with this setting already; it is made here too so that the tests behave
// the same on a user's own display (WINE_USE_DISPLAY=1), whose prefix keeps managed windows.
// Wine's X11 driver reads it when it loads into a process, that is before the process's first
// window.
UnmanagedWineWindows::UnmanagedWineWindows() {
    underWine_ = UnderWine();
    if (!underWine_)
        return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, X11_DRIVER_KEY, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    wchar_t value[64] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    hadValue_ = RegQueryValueExW(key, MANAGED_VALUE, nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS;
    previous_ = value;
    const wchar_t* managed = UnderWindowManager() ? L"Y" : L"N";
    RegSetValueExW(key, MANAGED_VALUE, 0, REG_SZ, reinterpret_cast<const BYTE*>(managed),
                   static_cast<DWORD>((lstrlenW(managed) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

UnmanagedWineWindows::~UnmanagedWineWindows() {
    if (!underWine_)
        return;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, X11_DRIVER_KEY, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    if (hadValue_)
        RegSetValueExW(key, MANAGED_VALUE, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(previous_.c_str()),
                       static_cast<DWORD>((previous_.size() + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(key, MANAGED_VALUE);
    RegCloseKey(key);
}

}  // namespace e2e
