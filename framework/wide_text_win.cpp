#include "framework/wide_text_win.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "framework/array.h"

namespace {

constexpr int DEFAULT_CAPACITY_BYTES = 520;
constexpr int TERMINATOR_BYTES = 2;
// The largest even int: a capacity up to it rounds up to even without wrapping, and its block
// with the terminator still has a size.
constexpr int MAX_CAPACITY_BYTES = INT_MAX - 1;

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
    // No flags, the documented default: MB_PRECOMPOSED is not valid where the ANSI code page is
    // UTF-8.
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    if (units <= 1) {
        return;
    }
    Array<wchar_t> wide(static_cast<size_t>(units));
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide.data(), units);
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
    std::free(buffer_);
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
        std::free(buffer_);
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
    Reallocate(bytes, zeroFill);
}

bool WideText::Reallocate(long long bytes, bool zeroFill) {
    if (bytes < 0) {
        bytes = 0;
    }
    if (bytes > MAX_CAPACITY_BYTES) {
        bytes = MAX_CAPACITY_BYTES;
    }
    bytes += bytes & 1;
    const size_t blockBytes = static_cast<size_t>(bytes) + TERMINATOR_BYTES;
    unsigned char* block = static_cast<unsigned char*>(std::malloc(blockBytes));
    if (!block) {
        return false;
    }
    if (zeroFill) {
        std::memset(block, 0, blockBytes);
    }
    if (length_ > bytes) {
        length_ = static_cast<int>(bytes);
    }
    if (buffer_ && length_ > 0) {
        std::memcpy(block, buffer_, static_cast<size_t>(length_));
    }
    std::free(buffer_);
    buffer_ = block;
    capacity_ = static_cast<int>(bytes);
    Terminate();
    return true;
}

// Zero bytes up to the end of the next whole UTF-16 unit, so that a text of an odd byte count
// ends in a zero unit too. The capacity is even, so the block holds them.
void WideText::Terminate() {
    buffer_[length_] = 0;
    buffer_[length_ + 1] = 0;
    if (length_ & 1) {
        buffer_[length_ + 2] = 0;
    }
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
    // In 64 bits: a length and a growth step near INT_MAX add up past it.
    const long long needed = static_cast<long long>(length_) + count;
    if (needed > MAX_CAPACITY_BYTES) {
        return;
    }
    if (needed > capacity_) {
        const long long grown = growth_ < 0 ? 2 * needed : needed + growth_;
        // A step that memory cannot give still leaves room for the text itself.
        if (!Reallocate(grown, false) && !Reallocate(needed, false)) {
            return;
        }
        if (fromSelf) {
            source = buffer_ + selfOffset;
        }
    }
    std::memmove(buffer_ + length_, source, static_cast<size_t>(count));
    length_ = static_cast<int>(needed);
    Terminate();
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
