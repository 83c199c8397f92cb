#pragma once
#include <cstddef>

#include "framework/text16.h"

// The position file: 8 bytes, two little-endian int32 (left, top).
constexpr size_t POSITION_BYTES = 8;

// Short input leaves the missing bytes 0; bytes beyond the eighth are ignored.
void DecodePosition(const Text8& bytes, int* left, int* top);
Text8 EncodePosition(int left, int top);
// The place where Windows parks a minimised window, (-32000, -32000), or beyond: no place a
// window can come back to. Negative edges of a monitor left of or above the primary one are
// far from it.
bool IsParkedPosition(int left, int top);
