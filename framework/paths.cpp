#include "framework/paths.h"

#include "framework/text_rules.h"

namespace {

constexpr Char16 BACKSLASH = U16('\\');
constexpr Char16 COLON = U16(':');

bool IsPathSeparator(Char16 c) {
    return c == COLON || c == U16('/') || c == BACKSLASH;
}

// Index just past the last separator, or 0 when there is none.
size_t NameStart(const Text16& path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) {
            return i;
        }
    }
    return 0;
}

// The roots PathRemoveBackslashW leaves their backslash: "\", "X:\", and a UNC path with at
// most one backslash after the leading two ("\\server\").
bool IsRoot(const Text16& path) {
    if (path.empty()) {
        return false;
    }
    if (path[0] == BACKSLASH) {
        if (path.size() == 1) {
            return true;
        }
        if (path[1] != BACKSLASH) {
            return false;
        }
        size_t backslashes = 0;
        for (size_t i = 2; i < path.size(); ++i) {
            if (path[i] == BACKSLASH) {
                ++backslashes;
            }
        }
        return backslashes <= 1;
    }
    return path.size() == 3 && path[1] == COLON && path[2] == BACKSLASH;
}

}  // namespace

Text16 PathBaseName(const Text16& path) {
    // The folder is cut off first, so a dot in a folder name is not taken for the extension's.
    const Text16 name = path.substr(NameStart(path));
    const size_t dot = name.rfind(U16('.'));
    return dot == Text16::npos ? name : name.substr(0, dot);
}

Text16 PathFolder(const Text16& path) {
    const size_t start = NameStart(path);
    if (start == 0) {
        return path;
    }
    // Held, like every path, in a buffer of TEXT_BUFFER_UNITS units.
    Text16 folder = path.substr(0, start);
    CutToTextLimit(folder);
    if (folder.back() == BACKSLASH && !IsRoot(folder)) {
        folder.pop_back();
    }
    return folder;
}
