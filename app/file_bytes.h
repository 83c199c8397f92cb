#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Bytes read one at a time, from memory or from a file. A file is read block by block, so one
// of any size costs one block of memory; a file that cannot be opened reads as empty.
class ByteStream {
public:
    static constexpr DWORD BLOCK_BYTES = 64 * 1024;

    // Over bytes that outlive the stream.
    explicit ByteStream(const std::string& bytes);
    explicit ByteStream(std::string&& bytes) = delete;
    explicit ByteStream(const std::wstring& path);
    ~ByteStream();
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;

    bool AtEnd() { return next_ == end_ && !Refill(); }
    // The byte at the read position; only when not AtEnd().
    char Peek() const { return *next_; }
    void Skip() { ++next_; }
    // Skips up to the next byte that is one of the three, or to the end.
    void SkipToAny(char first, char second, char third);

private:
    bool Refill();

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::vector<char> block_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
};
