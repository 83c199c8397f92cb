#include "framework/text16.h"

// Defined once here rather than in every file that uses the texts: the link-time optimisation's
// linker warns about such a constant when many objects carry it.
const char EMPTY_TEXT8[1] = {};
const Char16 EMPTY_TEXT16[1] = {};
