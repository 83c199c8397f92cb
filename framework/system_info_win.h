#pragma once

// What the running system offers, asked at run time: both functions may be missing.

// The version as WindowsVersionNumber gives it, 0 when it cannot be had.
int QueryWindowsVersion();
bool IsDpiAwareProcess();
// Whether the system is Wine (its ntdll names its version): the windows may then be stacked
// by the host's window manager rather than by the Win32 rules.
bool RunsUnderWine();
// Whether a window manager of the host stacks the windows: under Wine, unless its X11 driver
// was told to leave the windows unmanaged (then Wine orders them by the Win32 rules itself).
bool StackedByWindowManager();
