#include "framework/wide_text.h"

#include <cstring>
#include <cwchar>
#include <vector>

namespace {

constexpr int DEFAULT_CAPACITY_BYTES = 520;
constexpr int TERMINATOR_BYTES = 2;

}  // namespace

WideText::WideText() {
    Resize(DEFAULT_CAPACITY_BYTES, true);
}

WideText::WideText(const wchar_t* text) {
    if (!text) {
        Resize(DEFAULT_CAPACITY_BYTES, false);
        return;
    }
    Append(text);
}

WideText::WideText(const char* ansi) {
    Resize(DEFAULT_CAPACITY_BYTES, false);
    if (!ansi || !*ansi) {
        return;
    }
    const int units = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi, -1, nullptr, 0);
    if (units <= 1) {
        return;
    }
    std::vector<wchar_t> wide(static_cast<size_t>(units));
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi, -1, wide.data(), units);
    Append(wide.data(), (units - 1) * 2);
}

WideText::WideText(const WideText& other) : growth_(other.growth_) {
    Append(other.buffer_, other.length_);
}

WideText::WideText(WideText&& other) noexcept
    : buffer_(other.buffer_),
      length_(other.length_),
      capacity_(other.capacity_),
      growth_(other.growth_) {
    other.buffer_ = nullptr;
    other.length_ = 0;
    other.capacity_ = 0;
}

WideText::~WideText() {
    delete[] buffer_;
}

WideText& WideText::operator=(const WideText& other) {
    if (buffer_ == other.buffer_) {
        return *this;
    }
    length_ = 0;
    if (buffer_) {
        buffer_[0] = 0;
        buffer_[1] = 0;
    }
    Append(other.buffer_, other.length_);
    return *this;
}

WideText& WideText::operator=(WideText&& other) noexcept {
    if (this != &other) {
        delete[] buffer_;
        buffer_ = other.buffer_;
        length_ = other.length_;
        capacity_ = other.capacity_;
        growth_ = other.growth_;
        other.buffer_ = nullptr;
        other.length_ = 0;
        other.capacity_ = 0;
    }
    return *this;
}

void WideText::Resize(int bytes, bool zeroFill) {
    if (bytes < 0) {
        bytes = 0;
    }
    bytes += bytes & 1;
    unsigned char* block = new unsigned char[static_cast<size_t>(bytes) + TERMINATOR_BYTES];
    if (zeroFill) {
        std::memset(block, 0, static_cast<size_t>(bytes) + TERMINATOR_BYTES);
    }
    if (length_ > bytes) {
        length_ = bytes;
    }
    if (buffer_ && length_ > 0) {
        std::memcpy(block, buffer_, static_cast<size_t>(length_));
    }
    block[length_] = 0;
    block[length_ + 1] = 0;
    delete[] buffer_;
    buffer_ = block;
    capacity_ = bytes;
}

void WideText::Append(const void* bytes, int count) {
    if (!bytes || count <= 0) {
        return;
    }
    const unsigned char* source = static_cast<const unsigned char*>(bytes);
    // A source inside our own block would be freed by the resize below.
    const bool fromSelf =
        buffer_ && source >= buffer_ && source < buffer_ + capacity_ + TERMINATOR_BYTES;
    const ptrdiff_t selfOffset = fromSelf ? source - buffer_ : 0;
    const int needed = length_ + count;
    if (needed > capacity_) {
        Resize(growth_ < 0 ? 2 * needed : needed + growth_, false);
        if (fromSelf) {
            source = buffer_ + selfOffset;
        }
    }
    std::memmove(buffer_ + length_, source, static_cast<size_t>(count));
    length_ = needed;
    buffer_[length_] = 0;
    buffer_[length_ + 1] = 0;
}

void WideText::Append(const wchar_t* text) {
    if (!text) {
        return;
    }
    Append(text, static_cast<int>(std::wcslen(text) * sizeof(wchar_t)));
}

WideText operator+(const WideText& left, const WideText& right) {
    WideText result(left);
    result.Append(right.buffer_, right.length_);
    return result;
}

const wchar_t* WideText::Text() const {
    return buffer_ ? reinterpret_cast<const wchar_t*>(buffer_) : L"";
}
