#pragma once
#include "framework/text_rules.h"

constexpr char STATUS_COMPILER_LABEL[] = " fbc ";
constexpr char STATUS_GCC_LABEL[] = " / gcc ";
// The longest status text: both labels around two versions of up to 259 characters each (a
// value without "-" and "\" gives all of itself as both versions).
constexpr int MAX_STATUS_TEXT_CHARS =
    static_cast<int>(sizeof STATUS_COMPILER_LABEL - 1 + sizeof STATUS_GCC_LABEL - 1) +
    2 * MAX_TEXT_CHARS;

// " fbc " + compiler version + " / " + "gcc " + GCC version, from FBWINCompiler32.
Text8 StatusTextFromCompilerPath(const Text8& compilerPath);
