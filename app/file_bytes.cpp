#include "app/file_bytes.h"

namespace {

HANDLE OpenForReading(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ByteStream::ByteStream(const std::string& bytes)
    : next_(bytes.data()), end_(bytes.data() + bytes.size()) {}

ByteStream::ByteStream(const std::wstring& path) : file_(OpenForReading(path)) {
    if (file_ != INVALID_HANDLE_VALUE) {
        block_.resize(BLOCK_BYTES);
    }
}

ByteStream::~ByteStream() {
    if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
    }
}

void ByteStream::SkipToAny(char first, char second, char third) {
    while (!AtEnd()) {
        for (; next_ != end_; ++next_) {
            if (*next_ == first || *next_ == second || *next_ == third) {
                return;
            }
        }
    }
}

bool ByteStream::Refill() {
    if (file_ == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD got = 0;
    if (!ReadFile(file_, block_.data(), BLOCK_BYTES, &got, nullptr) || got == 0) {
        return false;
    }
    next_ = block_.data();
    end_ = next_ + got;
    return true;
}
