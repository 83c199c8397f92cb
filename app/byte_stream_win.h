#pragma once
#include <windows.h>

#include "app/byte_stream.h"
#include "framework/array.h"
#include "framework/handles.h"

// A file's bytes, read block by block, so one of any size costs one block of memory. A file
// that cannot be opened reads as empty.
class FileByteStream : public ByteStream {
public:
    static constexpr DWORD BLOCK_BYTES = 64 * 1024;

    explicit FileByteStream(const wchar_t* path, DWORD blockBytes = BLOCK_BYTES);

    bool IsOpen() const { return static_cast<bool>(file_); }

private:
    bool Refill() override;

    FileOwner file_;
    Array<char> block_;
};
