#include "app/position_codec.h"

namespace {

constexpr int PARKED_EDGE = -32000;

void PutInt32(Text8& bytes, size_t offset, int value) {
    const unsigned int bits = static_cast<unsigned int>(value);
    for (size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
}

int GetInt32(const unsigned char* bytes) {
    const unsigned int bits =
        static_cast<unsigned int>(bytes[0]) | (static_cast<unsigned int>(bytes[1]) << 8) |
        (static_cast<unsigned int>(bytes[2]) << 16) | (static_cast<unsigned int>(bytes[3]) << 24);
    return static_cast<int>(bits);
}

}  // namespace

void DecodePosition(const Text8& bytes, int* left, int* top) {
    unsigned char raw[POSITION_BYTES] = {};
    for (size_t i = 0; i < POSITION_BYTES && i < bytes.size(); ++i) {
        raw[i] = static_cast<unsigned char>(bytes[i]);
    }
    *left = GetInt32(raw);
    *top = GetInt32(raw + 4);
}

Text8 EncodePosition(int left, int top) {
    Text8 bytes(POSITION_BYTES, '\0');
    PutInt32(bytes, 0, left);
    PutInt32(bytes, 4, top);
    return bytes;
}

bool IsParkedPosition(int left, int top) {
    return left <= PARKED_EDGE && top <= PARKED_EDGE;
}
