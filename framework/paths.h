#pragma once
#include "framework/text16.h"

// Cutting a path into its folder and its file name, free of the platform. A path separator is
// ':', '/' or '\'.

// The file name without its extension: what follows the last separator, up to its last dot.
Text16 PathBaseName(const Text16& path);
// What precedes the file name, at most 259 units, without a closing backslash unless that
// makes the root (C:\ stays C:\). A path without a separator is its own folder.
Text16 PathFolder(const Text16& path);
