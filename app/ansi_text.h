#pragma once
#include <string>

// Conversions between 8-bit text in the user's ANSI code page and UTF-16.
std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
