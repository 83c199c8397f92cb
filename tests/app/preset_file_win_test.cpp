#include "app/preset_file_win.h"

#include <gtest/gtest.h>

#include <random>

#include "app/ansi_text_win.h"
#include "app/byte_stream_win.h"
#include "app/identifiers.h"
#include "app/preset_file.h"
#include "app/messages.h"
#include "app/preset_list.h"
#include "framework/text_rules.h"
#include "tests/app/random_preset_bytes.h"
#include "tests/app/test_folder.h"

namespace {

// The presets a file of these bytes gives.
Array<Text16> PresetsFromBytes(const std::string& bytes) {
    return PresetsFromItems(ReadPresetItems(bytes));
}

}  // namespace

TEST(PresetFile, ItemsAreCutAfterConversion) {
    const std::string bytes = std::string(300, 'x') + "\n" + std::string(300, '\xE9');
    const Array<Text16> presets = PresetsFromBytes(bytes);
    ASSERT_EQ(2u, presets.size());
    EXPECT_EQ(std::wstring(MAX_TEXT_CHARS, L'x'), presets[0]);
    EXPECT_EQ(std::wstring(MAX_TEXT_CHARS, AnsiToWide("\xE9")[0]), presets[1]);
}

// The item rules over the same bytes: preset_file_test.cpp.
TEST(PresetFile, RandomBytesGivePresetsWithinTheLimit) {
    std::mt19937 random(RANDOM_PRESET_SEED);
    for (int round = 0; round < RANDOM_PRESET_ROUNDS; ++round) {
        const std::string bytes = RandomPresetBytes(random, round);
        SCOPED_TRACE(testing::Message() << "round " << round);
        for (const Text16& preset : PresetsFromBytes(bytes)) {
            ASSERT_LE(preset.size(), static_cast<size_t>(MAX_TEXT_CHARS));
        }
    }
}

TEST(PresetFile, ReadPresetsFillsTheListWithTheNoPresetSlot) {
    TestFolder folder;
    WriteBytes(folder.File(PRESET_FILE_NAME), "-gen gas\r\n-gen gas64\r\n-gen gcc -O 2\r\n");
    ReadPresets(folder.Path().c_str());
    EXPECT_EQ(4, g_presetSlots);
    EXPECT_EQ((Array<Text16>{L"-gen gas", L"-gen gas64", L"-gen gcc -O 2", TEXT_NO_PRESET}),
              g_presets);

    ReadPresets((folder.Path() + L"\\missing").c_str());
    EXPECT_EQ(1, g_presetSlots);
    EXPECT_EQ(Array<Text16>{TEXT_NO_PRESET}, g_presets);
}

// The file is read block by block: an item, a quote or a CR LF that straddles the end of a block
// reads exactly as from one piece of memory.
TEST(PresetFile, FileReadsAsItsBytesAcrossBlockEnds) {
    const size_t block = FileByteStream::BLOCK_BYTES;
    const std::string filler = std::string(block - 1, 'a');
    struct Case {
        const char* name;
        std::string bytes;
        size_t presets;
    };
    const Case cases[] = {
        {"CR LF across the block end", filler + "\r\nb\r\n", 2},
        {"CR alone at the block end", filler + "\rb", 2},
        {"comma at the block start", filler + ",b", 2},
        {"quote at the block start", filler + "\n\"b,c\"\n", 2},
        {"quoted item across blocks", "\"" + std::string(block + 10, 'q') + ",\",x\n", 2},
        {"items spread over three blocks",
         std::string(block / 2, 'a') + "\n" + std::string(block, 'b') + "\n" +
             std::string(block / 2, 'c') + "\n-gen gas\n",
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        WriteBytes(folder.File(PRESET_FILE_NAME), c.bytes);
        ReadPresets(folder.Path().c_str());
        Array<Text16> expected = PresetsFromBytes(c.bytes);
        ASSERT_EQ(c.presets, expected.size());
        expected.emplace_back(TEXT_NO_PRESET);
        EXPECT_EQ(expected, g_presets);
    }
}
