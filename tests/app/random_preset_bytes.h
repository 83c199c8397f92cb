#pragma once
#include <random>
#include <string>

// Random preset-file contents, rich in the bytes the reader treats specially, for the item
// rules and the conversion alike. Odd rounds hold no quotes and no commas, so that each line
// is one item.
constexpr unsigned RANDOM_PRESET_SEED = 20240601u;
constexpr int RANDOM_PRESET_ROUNDS = 5000;

inline std::string RandomPresetBytes(std::mt19937& random, int round) {
    const char special[] = {',', '"', '\r', '\n', ' ', '\t', 'a', '\0'};
    std::string bytes(random() % 600, '\0');
    for (char& b : bytes) {
        const unsigned pick = random() % 16;
        b = pick < 8 ? special[pick] : static_cast<char>(random() % 256);
    }
    if (round % 2 == 1) {
        for (char& b : bytes) {
            if (b == '"' || b == ',') {
                b = 'q';
            }
        }
    }
    return bytes;
}
