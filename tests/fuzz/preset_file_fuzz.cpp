// Any preset file gives at most 32 items, none holding a line end or longer than an item may
// be kept, and reading it block by block gives exactly what reading it whole gives.
#include <stddef.h>
#include <stdint.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/preset_file.h"
#include "app/switch_line.h"
#include "framework/text_rules.h"

namespace {

// No code page takes more bytes than this for one character: an item is kept that far only.
constexpr size_t MAX_BYTES_PER_CHAR = 4;

// The bytes handed over in blocks of a few bytes, as a file is read, so items and line ends
// straddle the block ends.
class SmallBlocks : public ByteStream {
public:
    SmallBlocks(const std::string& bytes, size_t blockSize)
        : bytes_(bytes), blockSize_(blockSize) {}

private:
    bool Refill() override {
        if (pos_ >= bytes_.size()) {
            return false;
        }
        const size_t count = std::min(blockSize_, bytes_.size() - pos_);
        SetBlock(bytes_.data() + pos_, bytes_.data() + pos_ + count);
        pos_ += count;
        return true;
    }

    const std::string& bytes_;
    size_t blockSize_;
    size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the block size, the rest is the file.
    const size_t blockSize = 1 + data[0] % 7;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Array<Text8> whole = ReadPresetItems(bytes);
    SmallBlocks stream(bytes, blockSize);
    const Array<Text8> blocks = ReadPresetItems(stream);
    if (whole != blocks || whole.size() > static_cast<size_t>(MAX_PRESETS)) {
        std::abort();
    }
    for (const Text8& item : whole) {
        if (item.find('\r') != Text8::npos || item.find('\n') != Text8::npos ||
            item.size() > static_cast<size_t>(MAX_TEXT_CHARS) * MAX_BYTES_PER_CHAR) {
            std::abort();
        }
    }
    return 0;
}
