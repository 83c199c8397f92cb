#pragma once
#include "app/byte_stream.h"
#include "framework/array.h"
#include "framework/text16.h"

// The reading rules of the preset file over its raw bytes: at most 32 items, 8-bit text, each
// kept only as far as 259 characters can reach in any code page (the rest is read past). Only
// as much of the stream is read as the 32 items take.
Array<Text8> ReadPresetItems(ByteStream& bytes);
Array<Text8> ReadPresetItems(const Text8& bytes);
