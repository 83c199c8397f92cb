// A line composed from any flags and any preset is matched back: to that preset when it is the
// only one, and otherwise to a preset no later than it that composes to the same line with some
// prefix.
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>

#include "app/switch_line.h"

namespace {

// Presets from the data: UTF-16 units two bytes each, a zero unit ends a preset.
Array<Text16> PresetsFrom(const uint8_t* data, size_t size) {
    Array<Text16> presets(1);
    for (size_t i = 0; i + 1 < size; i += 2) {
        const Char16 unit = static_cast<Char16>(data[i] | (data[i + 1] << 8));
        if (unit == 0) {
            presets.emplace_back();
        } else {
            presets.back() += unit;
        }
    }
    return presets;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    SwitchFlags flags = {};
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        flags.on[i] = (data[0] >> i & 1) != 0;
    }
    const Array<Text16> presets = PresetsFrom(data + 2, size - 2);
    const size_t chosen = data[1] % presets.size();
    const Text16 line = ComposeSwitchLine(flags, presets[chosen]);

    if (MatchPresetIn({presets[chosen]}, line) != 1) {
        std::abort();
    }
    const int match = MatchPresetIn(presets, line);
    if (match < 1 || static_cast<size_t>(match) > chosen + 1) {
        std::abort();
    }
    bool composes = false;
    for (const Text16& prefix : SWITCH_PREFIXES) {
        composes = composes || prefix + presets[static_cast<size_t>(match) - 1] == line;
    }
    if (!composes) {
        std::abort();
    }
    return 0;
}
