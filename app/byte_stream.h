#pragma once
#include "framework/text16.h"

// Bytes read one at a time from a source that hands them over block by block: memory (one
// block) or a file (app/byte_stream_win.h), so the readers over it run on either.
class ByteStream {
public:
    // Over bytes that outlive the stream.
    explicit ByteStream(const Text8& bytes);
    explicit ByteStream(Text8&& bytes) = delete;
    virtual ~ByteStream() = default;
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;

    bool AtEnd() { return next_ == end_ && !Refill(); }
    // The byte at the read position; only when not AtEnd().
    char Peek() const { return *next_; }
    void Skip() { ++next_; }
    // Skips up to the next byte that is one of the three, or to the end.
    void SkipToAny(char first, char second, char third);

protected:
    ByteStream() = default;
    // The source's next block, from Refill.
    void SetBlock(const char* begin, const char* end);

private:
    // Makes the source's next block current; false when it has no more. Memory has none.
    virtual bool Refill() { return false; }

    const char* next_ = nullptr;
    const char* end_ = nullptr;
};
