#pragma once
#include "framework/wide_text_win.h"

// Whether a plain file is there, and the program's own name and folder.

// True for an existing file that is neither a folder nor a temporary file.
bool IsExistingFile(const wchar_t* path);
WideText ExecutableBaseName();
WideText ExecutableFolder();
// The path rules of the two functions above, for any module path (null gives empty text).
WideText BaseNameOfPath(const wchar_t* modulePath);
WideText FolderOfPath(const wchar_t* modulePath);
