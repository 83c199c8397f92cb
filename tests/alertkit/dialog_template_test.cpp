#include "alertkit/dialog_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace alertkit {
namespace {

// Reads a template back the way the dialog manager walks it.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<uint16_t>& words) : words_(words) {}
    uint16_t Word() { return words_.at(at_++); }
    uint32_t Dword() {
        const uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    std::wstring String() {
        std::wstring text;
        for (uint16_t w = Word(); w != 0; w = Word())
            text.push_back(static_cast<wchar_t>(w));
        return text;
    }
    bool AtEnd() const { return at_ == words_.size(); }

private:
    const std::vector<uint16_t>& words_;
    size_t at_ = 0;
};

// Sizes the template first, then builds it; a guard word past the end must stay untouched.
std::vector<uint16_t> Build(const DialogTemplateFields& fields) {
    constexpr uint16_t GUARD = 0xBEEF;
    const size_t count = BuildDialogTemplate(fields, nullptr, 0);
    std::vector<uint16_t> words(count + 1, GUARD);
    EXPECT_EQ(count, BuildDialogTemplate(fields, words.data(), count));
    EXPECT_EQ(GUARD, words.back());
    words.pop_back();
    return words;
}

TEST(DialogTemplate, WalksBackToTheFieldsItWasBuiltFrom) {
    const DialogTemplateFields fields = {0x80C00080,        0x80, -3,  4, 120,  80,
                                         L"Caption \u00e4", 11,   400, 1, 0xCC, L"Tahoma"};
    const std::vector<uint16_t> words = Build(fields);
    TemplateReader reader(words);
    EXPECT_EQ(1, reader.Word());
    EXPECT_EQ(0xFFFF, reader.Word());
    EXPECT_EQ(0u, reader.Dword());
    EXPECT_EQ(fields.exStyle, reader.Dword());
    EXPECT_EQ(fields.style | TEMPLATE_SET_FONT, reader.Dword());
    EXPECT_EQ(0, reader.Word());  // no items
    EXPECT_EQ(-3, static_cast<short>(reader.Word()));
    EXPECT_EQ(4, static_cast<short>(reader.Word()));
    EXPECT_EQ(120, static_cast<short>(reader.Word()));
    EXPECT_EQ(80, static_cast<short>(reader.Word()));
    EXPECT_EQ(0, reader.Word());  // menu
    EXPECT_EQ(0, reader.Word());  // class
    EXPECT_EQ(std::wstring(fields.title), reader.String());
    EXPECT_EQ(11, reader.Word());
    EXPECT_EQ(400, reader.Word());
    const uint16_t italicCharset = reader.Word();
    EXPECT_EQ(1, italicCharset & 0xFF);
    EXPECT_EQ(0xCC, italicCharset >> 8);
    EXPECT_EQ(std::wstring(fields.faceName), reader.String());
    EXPECT_TRUE(reader.AtEnd());
}

}  // namespace
}  // namespace alertkit
