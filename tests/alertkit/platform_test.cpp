// The core's values as the platform takes them: its MulDiv, its dialog manager, its fonts.
#include <windows.h>

#include <gtest/gtest.h>

#include <limits.h>

#include <string>
#include <vector>

#include "alertkit/dialog_template.h"
#include "alertkit/font_face.h"
#include "alertkit/message_box_layout.h"

namespace alertkit {
namespace {

TEST(MessageBoxLayout, MulDivRoundsAsThePlatformDoes) {
    const int values[] = {INT_MIN + 1, -100000, -37, -8, -3, -1, 0, 1, 2, 3, 7, 96, 144, INT_MAX};
    const int divisors[] = {INT_MIN + 1, -72, -2, -1, 0, 1, 2, 3, 72, 96, INT_MAX};
    for (int value : values) {
        for (int multiplier : values) {
            for (int divisor : divisors) {
                SCOPED_TRACE(testing::Message()
                             << value << " x " << multiplier << " / " << divisor);
                EXPECT_EQ(MulDiv(value, multiplier, divisor),
                          MulDivRounded(value, multiplier, divisor));
            }
        }
    }
}

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(DialogTemplate, DialogManagerCreatesTheDialogWithTitleAndFont) {
    const DialogTemplateFields fields = {WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                                         WS_EX_TOOLWINDOW,
                                         -3,
                                         4,
                                         120,
                                         80,
                                         L"Caption \u00e4",
                                         11,
                                         FW_NORMAL,
                                         0,
                                         0,
                                         L"Tahoma"};
    std::vector<uint16_t> words(BuildDialogTemplate(fields, nullptr, 0));
    BuildDialogTemplate(fields, words.data(), words.size());
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

TEST(FontFace, MatchIgnoresCaseAndLooksAt31Characters) {
    const std::wstring base(31, L'x');
    EXPECT_TRUE(FaceNamesMatch(L"Tahoma", L"tAHOMA"));
    EXPECT_FALSE(FaceNamesMatch(L"Tahoma", L"Tahoma2"));
    EXPECT_TRUE(FaceNamesMatch((base + L"A").c_str(), (base + L"B").c_str()));
    EXPECT_FALSE(FaceNamesMatch(L"", L"Tahoma"));
}

}  // namespace
}  // namespace alertkit
