#include "alertkit/dialog_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace alertkit {
namespace {

// Reads a template back the way the dialog manager walks it.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<WORD>& words) : words_(words) {}
    WORD Word() { return words_.at(at_++); }
    DWORD Dword() {
        const WORD low = Word();
        return MAKELONG(low, Word());
    }
    std::wstring String() {
        std::wstring text;
        for (WORD w = Word(); w != 0; w = Word())
            text.push_back(static_cast<wchar_t>(w));
        return text;
    }
    bool AtEnd() const { return at_ == words_.size(); }

private:
    const std::vector<WORD>& words_;
    size_t at_ = 0;
};

// Sizes the template first, then builds it; a guard word past the end must stay untouched.
std::vector<WORD> Build(const DialogTemplateFields& fields) {
    constexpr WORD GUARD = 0xBEEF;
    const size_t count = BuildDialogTemplate(fields, nullptr, 0);
    std::vector<WORD> words(count + 1, GUARD);
    EXPECT_EQ(count, BuildDialogTemplate(fields, words.data(), count));
    EXPECT_EQ(GUARD, words.back());
    words.pop_back();
    return words;
}

DialogTemplateFields SampleFields() {
    DialogTemplateFields fields{};
    fields.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    fields.exStyle = WS_EX_TOOLWINDOW;
    fields.x = -3;
    fields.y = 4;
    fields.width = 120;
    fields.height = 80;
    fields.title = L"Caption \u00e4";
    fields.pointSize = 11;
    fields.weight = FW_NORMAL;
    fields.italic = 1;
    fields.charset = 0xCC;
    fields.faceName = L"Tahoma";
    return fields;
}

TEST(DialogTemplate, WalksBackToTheFieldsItWasBuiltFrom) {
    const DialogTemplateFields fields = SampleFields();
    const std::vector<WORD> words = Build(fields);
    TemplateReader reader(words);
    EXPECT_EQ(1, reader.Word());
    EXPECT_EQ(0xFFFF, reader.Word());
    EXPECT_EQ(0u, reader.Dword());
    EXPECT_EQ(fields.exStyle, reader.Dword());
    EXPECT_EQ(fields.style | DS_SETFONT, reader.Dword());
    EXPECT_EQ(0, reader.Word());  // no items
    EXPECT_EQ(-3, static_cast<short>(reader.Word()));
    EXPECT_EQ(4, static_cast<short>(reader.Word()));
    EXPECT_EQ(120, static_cast<short>(reader.Word()));
    EXPECT_EQ(80, static_cast<short>(reader.Word()));
    EXPECT_EQ(0, reader.Word());  // menu
    EXPECT_EQ(0, reader.Word());  // class
    EXPECT_EQ(std::wstring(fields.title), reader.String());
    EXPECT_EQ(11, reader.Word());
    EXPECT_EQ(FW_NORMAL, reader.Word());
    const WORD italicCharset = reader.Word();
    EXPECT_EQ(1, LOBYTE(italicCharset));
    EXPECT_EQ(0xCC, HIBYTE(italicCharset));
    EXPECT_EQ(std::wstring(fields.faceName), reader.String());
    EXPECT_TRUE(reader.AtEnd());
}

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(DialogTemplate, DialogManagerCreatesTheDialogWithTitleAndFont) {
    DialogTemplateFields fields = SampleFields();
    fields.italic = 0;
    fields.charset = 0;
    const std::vector<WORD> words = Build(fields);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                             nullptr, IgnoreAll, 0);
    ASSERT_NE(nullptr, dialog);
    wchar_t title[64] = {};
    GetWindowTextW(dialog, title, 64);
    EXPECT_STREQ(fields.title, title);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    EXPECT_STREQ(L"Tahoma", font.lfFaceName);
    EXPECT_EQ(WS_EX_TOOLWINDOW, GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    DestroyWindow(dialog);
}

}  // namespace
}  // namespace alertkit
