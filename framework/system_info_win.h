#pragma once

// What the running system offers, asked at run time: both functions may be missing.

// The version as WindowsVersionNumber gives it, 0 when it cannot be had.
int QueryWindowsVersion();
bool IsDpiAwareProcess();
