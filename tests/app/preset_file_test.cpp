#include "app/preset_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/ansi_text.h"
#include "app/file_bytes.h"
#include "app/switch_line.h"
#include "tests/app/test_folder.h"

using Items = std::vector<std::string>;

TEST(PresetFile, ReadingRules) {
    struct Case {
        const char* name;
        std::string bytes;
        Items expected;
    };
    const Case cases[] = {
        {"CR LF lines", "-gen gas\r\n-gen gas64\r\n", {"-gen gas", "-gen gas64"}},
        {"last line without line end", "a\nb", {"a", "b"}},
        {"CR lines", "a\rb\r", {"a", "b"}},
        {"mixed line ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"final empty line", "a\n\n", {"a", ""}},
        {"empty line inside", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"CR then CR LF", "a\r\r\n", {"a", ""}},
        {"comma separates, blank after it skipped", "a, b\n", {"a", "b"}},
        {"leading blanks and tabs skipped, inner and trailing kept", " \tx  y \t\n", {"x  y \t"}},
        {"blank-only last line", "a\n  ", {"a", ""}},
        {"comma at the end of the file", "a,", {"a"}},
        {"comma before a line end", "a,\nb", {"a", "", "b"}},
        {"lone comma", ",", {""}},
        {"quoted item keeps commas", "\"-a,b\",c\n", {"-a,b", "c"}},
        {"blanks after the closing quote", "\"a b\"  ,c", {"a b", "c"}},
        {"text after the closing quote starts an item", "\"ab\" cd\n", {"ab", "cd"}},
        {"line end after the closing quote", "\"ab\"\r\nx", {"ab", "x"}},
        {"line end ends an open quote", "\"open\nnext", {"open", "next"}},
        {"quote inside an item is ordinary", "say \"hi\", x\"\n", {"say \"hi\"", "x\""}},
        {"quote after leading blanks opens a quoted item", "  \"a,b\"", {"a,b"}},
        {"empty quotes", "\"\"\n", {""}},
        {"empty file", "", {}},
        {"single line end", "\n", {""}},
        {"UTF-8 byte-order mark is part of the first item",
         "\xEF\xBB\xBF-gen gas\n-gen gas64",
         {"\xEF\xBB\xBF-gen gas", "-gen gas64"}},
        {"byte-order mark keeps a quote ordinary",
         "\xEF\xBB\xBF\"a,b\"",
         {"\xEF\xBB\xBF\"a", "b\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, ReadPresetItems(c.bytes));
    }
}

TEST(PresetFile, ReadsAtMostThirtyTwoItems) {
    std::string lines;
    std::string commas;
    for (int i = 1; i <= 40; ++i) {
        lines += "p" + std::to_string(i) + "\r\n";
        commas += "p" + std::to_string(i) + ",";
    }
    for (const std::string& bytes : {lines, commas}) {
        const Items items = ReadPresetItems(bytes);
        ASSERT_EQ(static_cast<size_t>(MAX_PRESETS), items.size());
        EXPECT_EQ("p1", items.front());
        EXPECT_EQ("p32", items.back());
    }
}

TEST(PresetFile, ItemsAreCutAfterConversion) {
    const std::string bytes = std::string(300, 'x') + "\n" + std::string(300, '\xE9');
    const std::vector<std::wstring> presets = PresetsFromBytes(bytes);
    ASSERT_EQ(2u, presets.size());
    EXPECT_EQ(std::wstring(MAX_TEXT_CHARS, L'x'), presets[0]);
    EXPECT_EQ(std::wstring(MAX_TEXT_CHARS, AnsiToWide("\xE9")[0]), presets[1]);
}

namespace {

// Item count for text without quotes and commas: one per line, the last line counted
// even without its line end.
size_t LineCount(const std::string& bytes) {
    size_t lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
            ++lines;
        }
    }
    const bool open = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
    return lines + (open ? 1 : 0);
}

}  // namespace

TEST(PresetFile, RandomBytesKeepTheLimits) {
    std::mt19937 random(20240601u);
    const char special[] = {',', '"', '\r', '\n', ' ', '\t', 'a', '\0'};
    for (int round = 0; round < 5000; ++round) {
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
        SCOPED_TRACE(testing::Message() << "round " << round);
        const Items items = ReadPresetItems(bytes);
        ASSERT_LE(items.size(), static_cast<size_t>(MAX_PRESETS));
        for (const std::string& item : items) {
            ASSERT_EQ(std::string::npos, item.find_first_of("\r\n"));
        }
        if (round % 2 == 1) {
            ASSERT_EQ(std::min(LineCount(bytes), static_cast<size_t>(MAX_PRESETS)), items.size());
        }
        for (const std::wstring& preset : PresetsFromBytes(bytes)) {
            ASSERT_LE(preset.size(), static_cast<size_t>(MAX_TEXT_CHARS));
        }
    }
}

TEST(PresetFile, ReadPresetsLeavesRoomForTheNoPresetSlot) {
    TestFolder folder;
    WriteBytes(folder.File(PRESET_FILE_NAME), "-gen gas\r\n-gen gas64\r\n-gen gcc -O 2\r\n");
    ReadPresets(folder.Path().c_str());
    EXPECT_EQ(4, g_presetSlots);
    EXPECT_EQ((std::vector<std::wstring>{L"-gen gas", L"-gen gas64", L"-gen gcc -O 2", L""}),
              g_presets);

    ReadPresets((folder.Path() + L"\\missing").c_str());
    EXPECT_EQ(1, g_presetSlots);
    EXPECT_EQ(std::vector<std::wstring>{L""}, g_presets);
}

// The file is read block by block: an item, a quote or a CR LF that straddles the end of a block
// reads exactly as from one piece of memory.
TEST(PresetFile, FileReadsAsItsBytesAcrossBlockEnds) {
    const size_t block = ByteStream::BLOCK_BYTES;
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
        std::vector<std::wstring> expected = PresetsFromBytes(c.bytes);
        ASSERT_EQ(c.presets, expected.size());
        expected.emplace_back();
        EXPECT_EQ(expected, g_presets);
    }
}
