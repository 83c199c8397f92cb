#pragma once
#include <cstdint>

// The system version as one comparable number, free of the platform.

// major.minor as major * 100 + minor (6.1 gives 601).
int WindowsVersionNumber(uint32_t major, uint32_t minor);
