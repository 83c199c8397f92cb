#pragma once

// What the running system offers, asked at run time: both functions may be missing.

// The version as WindowsVersionNumber gives it, 0 when it cannot be had.
int QueryWindowsVersion();
bool IsDpiAwareProcess();
// Whether the system is Wine (its ntdll names its version): the windows may then be stacked
// by the host's window manager rather than by the Win32 rules.
bool RunsUnderWine();
