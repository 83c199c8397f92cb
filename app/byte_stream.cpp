#include "app/byte_stream.h"

ByteStream::ByteStream(const Text8& bytes)
    : next_(bytes.data()), end_(bytes.data() + bytes.size()) {}

void ByteStream::SkipToAny(char first, char second, char third) {
    while (!AtEnd()) {
        for (; next_ != end_; ++next_) {
            if (*next_ == first || *next_ == second || *next_ == third) {
                return;
            }
        }
    }
}

void ByteStream::SetBlock(const char* begin, const char* end) {
    next_ = begin;
    end_ = end;
}
