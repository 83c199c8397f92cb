#pragma once
#include <string>

// " fbc " + compiler version + " / " + "gcc " + GCC version, from FBWINCompiler32.
std::string StatusTextFromCompilerPath(const std::string& compilerPath);
