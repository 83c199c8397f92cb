#pragma once
#include "framework/text16.h"

// The two appearance options the program takes from its own base name (8-bit text).
// A capital "L" anywhere: the large layout.
bool IsLargeLayoutName(const Text8& baseName);
// The last character, upper-cased, as a hexadecimal digit of 9 or more: that font size for the
// message boxes; anything else: 8.
int MessageFontSizeForName(const Text8& baseName);
