#include "framework/text16.h"

// Defined once here rather than in every file that uses the texts: the linker's link-time
// optimisation warns about such a constant in many objects.
template <>
const Char16 Text16::EMPTY[1] = {};
template <>
const char Text8::EMPTY[1] = {};
