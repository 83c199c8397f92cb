#pragma once
#include <string>

// The whole content of a file; empty when it cannot be opened.
std::string ReadFileBytes(const std::wstring& path);
