#pragma once
#include <windows.h>

#include <vector>

#include "app/byte_stream.h"

// A file's bytes, read block by block, so one of any size costs one block of memory. A file
// that cannot be opened reads as empty.
class FileByteStream : public ByteStream {
public:
    static constexpr DWORD BLOCK_BYTES = 64 * 1024;

    explicit FileByteStream(const wchar_t* path, DWORD blockBytes = BLOCK_BYTES);
    ~FileByteStream() override;

    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    bool Refill() override;

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::vector<char> block_;
};
