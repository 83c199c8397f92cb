#pragma once
#include <windows.h>

#include <string>

constexpr const wchar_t* INSTANCE_MUTEX_NAME = L"ZpbozVzQxVK6AMneOUQC";

extern int g_msgFontSize;
extern bool g_largeLayout;
extern volatile unsigned char g_modalActive;

// Appearance options from the program's base name (8-bit text).
bool IsLargeLayoutName(const std::string& baseName);
int MessageFontSizeForName(const std::string& baseName);

bool IsFirstInstance();
int RunIfFirstInstance(HINSTANCE instance, HINSTANCE previous, const wchar_t* commandLine, int show);
int FlagsmithMain(HINSTANCE instance, HINSTANCE previous, const wchar_t* commandLine, int show);
