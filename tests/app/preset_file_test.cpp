#include "app/preset_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/switch_line.h"
#include "tests/app/random_preset_bytes.h"

using Items = Array<Text8>;

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
        EXPECT_EQ("p1", items[0]);
        EXPECT_EQ("p32", items.back());
    }
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

// The conversion of the same bytes keeps the limits too: preset_file_win_test.cpp.
TEST(PresetFile, RandomBytesKeepTheLimits) {
    std::mt19937 random(RANDOM_PRESET_SEED);
    for (int round = 0; round < RANDOM_PRESET_ROUNDS; ++round) {
        const std::string bytes = RandomPresetBytes(random, round);
        SCOPED_TRACE(testing::Message() << "round " << round);
        const Items items = ReadPresetItems(bytes);
        ASSERT_LE(items.size(), static_cast<size_t>(MAX_PRESETS));
        for (const Text8& item : items) {
            ASSERT_EQ(Text8::npos, item.find('\r'));
            ASSERT_EQ(Text8::npos, item.find('\n'));
        }
        if (round % 2 == 1) {
            ASSERT_EQ(std::min(LineCount(bytes), static_cast<size_t>(MAX_PRESETS)), items.size());
        }
    }
}
