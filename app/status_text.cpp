#include "app/status_text.h"

#include <algorithm>

// Positions below are 1-based and 0 means "not found", the terms in which WinFBE's compiler
// folder names are described: word-version-words-gccversion\fbc32.exe.
namespace {

constexpr char VERSION_SEPARATOR = '-';
constexpr char FOLDER_SEPARATOR = '\\';

int FindFrom(const Text8& text, char wanted, int start) {
    if (start < 1 || start > static_cast<int>(text.size())) {
        return 0;
    }
    const size_t found = text.find(wanted, static_cast<size_t>(start - 1));
    return found == Text8::npos ? 0 : static_cast<int>(found) + 1;
}

int FindLast(const Text8& text, char wanted) {
    const size_t found = text.rfind(wanted);
    return found == Text8::npos ? 0 : static_cast<int>(found) + 1;
}

// A negative length runs to the end; a start outside the text gives nothing.
Text8 Piece(const Text8& text, int start, int length) {
    const int size = static_cast<int>(text.size());
    if (text.empty() || start < 1 || start > size || length == 0) {
        return Text8();
    }
    const int available = size - start + 1;
    const int count = length < 0 ? available : std::min(length, available);
    return text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count));
}

}  // namespace

Text8 StatusTextFromCompilerPath(const Text8& compilerPath) {
    const int firstDash = FindFrom(compilerPath, VERSION_SEPARATOR, 1);
    const int secondDash = FindFrom(compilerPath, VERSION_SEPARATOR, firstDash + 1);
    const Text8 compilerVersion = Piece(compilerPath, firstDash + 1, secondDash - firstDash - 1);

    const int lastDash = FindLast(compilerPath, VERSION_SEPARATOR);
    const int folderEnd = FindFrom(compilerPath, FOLDER_SEPARATOR, lastDash + 1);
    const Text8 gccVersion = Piece(compilerPath, lastDash + 1, folderEnd - lastDash - 1);

    return STATUS_COMPILER_LABEL + compilerVersion + STATUS_GCC_LABEL + gccVersion;
}
