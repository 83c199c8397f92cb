#pragma once
#include "framework/text16.h"

// The one boundary between 8-bit text in the user's ANSI code page and UTF-16.
Text16 AnsiToWide(const Text8& text);
Text8 WideToAnsi(const Text16& text);
// The same into a fixed buffer of `units` (`bytes`), NUL-terminated, without allocating (the
// watch tick runs for the life of the program); "" when the text does not fit.
void AnsiToWideInto(const char* text, wchar_t* out, int units);
void WideToAnsiInto(const wchar_t* text, char* out, int bytes);
// Whether the ANSI code page can name this text: converted to 8-bit text and back, it is unchanged.
bool SurvivesAnsiRoundTrip(const Text16& text);
