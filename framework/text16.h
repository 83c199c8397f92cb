#pragma once
#include <string>

// UTF-16 text of the window-free core. On Windows it is wchar_t, so the core's texts go to the
// platform's W functions as they are; elsewhere (the core's own native build, under the
// sanitizers and the fuzzers) char16_t has the same 16-bit code units.
#ifdef _WIN32
using Char16 = wchar_t;
#define U16(literal) L##literal
#else
using Char16 = char16_t;
#define U16(literal) u##literal
#endif
using Text16 = std::basic_string<Char16>;
