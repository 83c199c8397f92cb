#pragma once
#include <windows.h>

// Growable UTF-16 text. Lengths and capacities are in bytes; the block is always two
// bytes larger than the capacity for the terminator.
class WideText {
public:
    WideText();                           // capacity 520, zero-filled block
    WideText(const wchar_t* text);        // null: empty with a 520-byte block; L"": no block
    explicit WideText(const char* ansi);  // converted with CP_ACP
    WideText(const WideText& other);
    WideText(WideText&& other) noexcept;
    ~WideText();
    WideText& operator=(const WideText& other);
    WideText& operator=(WideText&& other) noexcept;

    // Leaves the value unchanged when memory for the new block is not there.
    void Resize(int bytes, bool zeroFill);
    void Append(const void* bytes, int count);
    void Append(const wchar_t* text);
    friend WideText operator+(const WideText& left, const WideText& right);

    const wchar_t* Text() const;  // never null: L"" when there is no block
    int Chars() const { return length_ / 2; }
    bool Empty() const { return length_ == 0; }

    const unsigned char* Buffer() const { return buffer_; }
    int LengthBytes() const { return length_; }
    int CapacityBytes() const { return capacity_; }
    int Growth() const { return growth_; }
    void SetGrowth(int growth) { growth_ = growth; }

private:
    // False when the block could not be had; the value is then unchanged.
    bool Reallocate(long long bytes, bool zeroFill);
    void Terminate();

    unsigned char* buffer_ = nullptr;
    int length_ = 0;
    int capacity_ = 0;
    int growth_ = 520;
};
