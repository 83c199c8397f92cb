#pragma once
#include <cstddef>
#include <cstdlib>
#include <cstring>

// UTF-16 text of the window-free core. On Windows it is wchar_t, so the core's texts go to the
// platform's W functions as they are; elsewhere (the core's own native build, under the
// sanitizers and the fuzzers) char16_t has the same 16-bit code units.
#ifdef _WIN32
using Char16 = wchar_t;
#define U16(literal) L##literal
#else
using Char16 = char16_t;
#define U16(literal) u##literal
#endif

// What an empty text without a block shows, one for each width (framework/text16.cpp).
extern const char EMPTY_TEXT8[1];
extern const Char16 EMPTY_TEXT16[1];
inline const char* EmptyUnits(const char*) {
    return EMPTY_TEXT8;
}
inline const Char16* EmptyUnits(const Char16*) {
    return EMPTY_TEXT16;
}

// Owned text of code units, always NUL-terminated, that grows as it is added to. Its members
// are named as the standard string's, whose part in use it replaces: the program is built
// without exceptions, and a block of memory that cannot be had ends the process instead of
// throwing.
template <typename Char>
class BasicText {
    // The units of a text of another type, where its data() gives them.
    template <typename Other>
    using UnitsOf = decltype(static_cast<const Char*>(static_cast<const Other*>(nullptr)->data()));

public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    BasicText() = default;
    BasicText(const Char* text) { append(text, LengthOf(text)); }  // null: empty
    BasicText(const Char* text, size_t count) { append(text, count); }
    BasicText(const Char* first, const Char* last) { append(first, Distance(first, last)); }
    BasicText(size_t count, Char unit) { resize(count, unit); }
    // From any other text that lays out its units in one block (the standard strings of the
    // tests).
    template <typename Other, typename = UnitsOf<Other>>
    BasicText(const Other& other) {
        append(other.data(), other.size());
    }
    BasicText(const BasicText& other) { append(other.units_, other.size_); }
    BasicText(BasicText&& other) noexcept
        : units_(other.units_), size_(other.size_), capacity_(other.capacity_) {
        other.units_ = nullptr;
        other.size_ = 0;
        other.capacity_ = 0;
    }
    ~BasicText() { std::free(units_); }
    BasicText& operator=(const BasicText& other) {
        if (this != &other) {
            size_ = 0;
            append(other.units_, other.size_);
        }
        return *this;
    }
    BasicText& operator=(BasicText&& other) noexcept {
        if (this != &other) {
            std::free(units_);
            units_ = other.units_;
            size_ = other.size_;
            capacity_ = other.capacity_;
            other.units_ = nullptr;
            other.size_ = 0;
            other.capacity_ = 0;
        }
        return *this;
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const Char* c_str() const { return units_ ? units_ : EmptyText(); }
    const Char* data() const { return c_str(); }
    Char* data() { return units_ ? units_ : const_cast<Char*>(EmptyText()); }
    Char& operator[](size_t index) { return units_[index]; }
    const Char& operator[](size_t index) const { return c_str()[index]; }
    Char back() const { return units_[size_ - 1]; }

    void pop_back() {
        --size_;
        Terminate();
    }
    // New units take the value given.
    void resize(size_t count, Char unit = Char()) {
        Reserve(count);
        for (size_t i = size_; i < count; ++i) {
            units_[i] = unit;
        }
        size_ = count;
        Terminate();
    }
    BasicText& append(const Char* units, size_t count) {
        if (!units || count == 0) {
            return *this;
        }
        // Units of this very text stay where they are until the grown block has them.
        const bool fromSelf = units_ && units >= units_ && units < units_ + size_;
        const size_t offset = fromSelf ? static_cast<size_t>(units - units_) : 0;
        Reserve(size_ + count);
        std::memmove(units_ + size_, fromSelf ? units_ + offset : units, count * sizeof(Char));
        size_ += count;
        Terminate();
        return *this;
    }
    BasicText& operator+=(const BasicText& other) { return append(other.c_str(), other.size_); }
    BasicText& operator+=(const Char* text) { return append(text, LengthOf(text)); }
    BasicText& operator+=(Char unit) { return append(&unit, 1); }

    // The units from position on, at most count of them; a position past the end gives "".
    BasicText substr(size_t position, size_t count = npos) const {
        if (position >= size_) {
            return BasicText();
        }
        const size_t available = size_ - position;
        return BasicText(units_ + position, count < available ? count : available);
    }
    size_t find(Char unit, size_t position = 0) const {
        for (size_t i = position; i < size_; ++i) {
            if (units_[i] == unit) {
                return i;
            }
        }
        return npos;
    }
    size_t rfind(Char unit) const {
        for (size_t i = size_; i > 0; --i) {
            if (units_[i - 1] == unit) {
                return i - 1;
            }
        }
        return npos;
    }

    friend BasicText operator+(BasicText left, const BasicText& right) {
        return static_cast<BasicText&&>(left += right);
    }
    friend BasicText operator+(BasicText left, const Char* right) {
        return static_cast<BasicText&&>(left += right);
    }
    friend BasicText operator+(BasicText left, Char right) {
        return static_cast<BasicText&&>(left += right);
    }
    friend BasicText operator+(const Char* left, const BasicText& right) {
        BasicText text(left);
        text += right;
        return text;
    }
    friend bool operator==(const BasicText& left, const BasicText& right) {
        return left.size_ == right.size_ &&
               (left.size_ == 0 ||
                std::memcmp(left.units_, right.units_, left.size_ * sizeof(Char)) == 0);
    }
    friend bool operator==(const BasicText& left, const Char* right) {
        return left.size_ == LengthOf(right) &&
               (left.size_ == 0 || std::memcmp(left.units_, right, left.size_ * sizeof(Char)) == 0);
    }
    friend bool operator==(const Char* left, const BasicText& right) { return right == left; }
    friend bool operator!=(const BasicText& left, const BasicText& right) {
        return !(left == right);
    }
    friend bool operator!=(const BasicText& left, const Char* right) { return !(left == right); }

private:
    static const Char* EmptyText() { return EmptyUnits(static_cast<const Char*>(nullptr)); }
    static size_t LengthOf(const Char* text) {
        size_t length = 0;
        if (text) {
            while (text[length] != Char()) {
                ++length;
            }
        }
        return length;
    }
    static size_t Distance(const Char* first, const Char* last) {
        return first && last > first ? static_cast<size_t>(last - first) : 0;
    }
    // Room for count units and the terminator; grows by half again, so appending a unit at a
    // time stays linear.
    void Reserve(size_t count) {
        if (units_ && count <= capacity_) {
            return;
        }
        size_t capacity = capacity_ + capacity_ / 2;
        if (capacity < count) {
            capacity = count;
        }
        if (capacity < MIN_CAPACITY) {
            capacity = MIN_CAPACITY;
        }
        if (capacity >= static_cast<size_t>(-1) / sizeof(Char) - 1) {
            std::abort();
        }
        void* block = std::realloc(units_, (capacity + 1) * sizeof(Char));
        if (!block) {
            std::abort();
        }
        units_ = static_cast<Char*>(block);
        capacity_ = capacity;
    }
    void Terminate() {
        if (units_) {
            units_[size_] = Char();
        }
    }

    static constexpr size_t MIN_CAPACITY = 15;
    Char* units_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

using Text16 = BasicText<Char16>;
// Text in 8-bit units: the user's ANSI code page, or the bytes of a file as they are.
using Text8 = BasicText<char>;
