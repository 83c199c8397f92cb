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

// One unit against one unit of a pattern, in which an 'x' stands for a hexadecimal digit, a
// small letter for itself in either case, and anything else for itself.
bool UnitFits(Char16 unit, char pattern) {
    const Char16 lower = unit | 0x20;  // a capital's small letter; no other unit becomes one
    if (pattern == 'x') {
        return (unit >= U16('0') && unit <= U16('9')) || (lower >= U16('a') && lower <= U16('f'));
    }
    return pattern >= 'a' && pattern <= 'z' ? lower == static_cast<Char16>(pattern)
                                            : unit == static_cast<Char16>(pattern);
}

// Whether the path from index `from` to its end fits the pattern.
bool EndFits(const Text16& path, size_t from, const char* pattern) {
    size_t i = 0;
    for (; pattern[i]; ++i) {
        if (from + i >= path.size() || !UnitFits(path[from + i], pattern[i])) {
            return false;
        }
    }
    return from + i == path.size();
}

// Whether a path that ends in a backslash is a root, whose backslash the platform's path calls
// keep (PathRemoveBackslashW, by Windows' PathIsRootW): "\", "X:\", "\\" alone, and after the
// "\\?\" prefix a drive's "X:\", "UNC\" or a volume's "Volume{GUID}\". A server or a share
// with its backslash ("\\server\", "\\server\share\") is none, nor is "\\\".
bool IsRoot(const Text16& path) {
    if (path.size() == 1 || (path[0] != BACKSLASH && EndFits(path, 1, ":\\"))) {
        return true;
    }
    if (path[0] != BACKSLASH || path[1] != BACKSLASH) {
        return false;
    }
    const bool prefixed = path.size() > 4 && path[2] == U16('?') && path[3] == BACKSLASH;
    return path.size() == 2 ||
           (prefixed && (EndFits(path, 5, ":\\") || EndFits(path, 4, "unc\\") ||
                         EndFits(path, 4, "volume{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}\\")));
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
