#include "framework/wide_text_win.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

TEST(WideText, ConstructionCapacities) {
    WideText empty;
    EXPECT_EQ(empty.CapacityBytes(), 520);
    EXPECT_EQ(empty.LengthBytes(), 0);
    EXPECT_EQ(empty.Growth(), 520);
    ASSERT_NE(empty.Buffer(), nullptr);
    for (int i = 0; i < 522; ++i) {
        ASSERT_EQ(empty.Buffer()[i], 0) << i;
    }

    WideText fromNull(static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(fromNull.CapacityBytes(), 520);
    EXPECT_NE(fromNull.Buffer(), nullptr);
    EXPECT_STREQ(fromNull.Text(), L"");

    WideText fromEmpty(L"");
    EXPECT_EQ(fromEmpty.Buffer(), nullptr);
    EXPECT_EQ(fromEmpty.CapacityBytes(), 0);
    EXPECT_STREQ(fromEmpty.Text(), L"");
    EXPECT_TRUE(fromEmpty.Empty());

    WideText fromText(L"abc");
    EXPECT_EQ(fromText.LengthBytes(), 6);
    EXPECT_EQ(fromText.Chars(), 3);
    EXPECT_EQ(fromText.CapacityBytes(), 6 + 520);
    EXPECT_STREQ(fromText.Text(), L"abc");

    WideText fromAnsi("ab\xE9");  // e acute in code page 1252
    EXPECT_STREQ(fromAnsi.Text(), L"ab\u00E9");
    EXPECT_EQ(fromAnsi.CapacityBytes(), 520);

    WideText fromEmptyAnsi("");
    EXPECT_EQ(fromEmptyAnsi.CapacityBytes(), 520);
    EXPECT_STREQ(fromEmptyAnsi.Text(), L"");
}

TEST(WideText, AppendGrowsByStepOrDoubling) {
    WideText text;
    const std::wstring fill(260, L'x');  // exactly the 520-byte capacity
    text.Append(fill.c_str());
    EXPECT_EQ(text.CapacityBytes(), 520);
    text.Append(L"y");
    EXPECT_EQ(text.CapacityBytes(), 522 + 520);
    EXPECT_EQ(text.LengthBytes(), 522);
    EXPECT_EQ(text.Text()[260], L'y');
    EXPECT_EQ(text.Text()[261], L'\0');

    WideText doubling(L"");
    doubling.SetGrowth(-1);
    doubling.Append(L"abcd");
    EXPECT_EQ(doubling.CapacityBytes(), 16);
    doubling.Append(L"efgh");
    EXPECT_EQ(doubling.CapacityBytes(), 16);
    doubling.Append(L"k");
    EXPECT_EQ(doubling.CapacityBytes(), 2 * 18);
    EXPECT_STREQ(doubling.Text(), L"abcdefghk");
}

TEST(WideText, AppendOfItsOwnTextSurvivesRegrowth) {
    WideText text(L"");
    text.SetGrowth(0);
    text.Append(L"ab");
    text.Append(text.Buffer(), text.LengthBytes());
    EXPECT_STREQ(text.Text(), L"abab");
}

TEST(WideText, ResizeRoundsUpAndCuts) {
    WideText text(L"abcdef");
    text.Resize(5, false);
    EXPECT_EQ(text.CapacityBytes(), 6);
    EXPECT_STREQ(text.Text(), L"abc");
    text.Resize(100, true);
    EXPECT_EQ(text.CapacityBytes(), 100);
    EXPECT_STREQ(text.Text(), L"abc");
    text.Resize(0, false);
    EXPECT_EQ(text.LengthBytes(), 0);
    EXPECT_STREQ(text.Text(), L"");
}

TEST(WideText, AssignmentCopyMoveAndConcatenation) {
    WideText left(L"left");
    WideText target(L"a much longer previous text");
    target = left;
    EXPECT_STREQ(target.Text(), L"left");
    EXPECT_NE(target.Buffer(), left.Buffer());

    const unsigned char* block = target.Buffer();
    target = target;
    EXPECT_EQ(target.Buffer(), block);
    EXPECT_STREQ(target.Text(), L"left");

    target = WideText(L"");
    EXPECT_STREQ(target.Text(), L"");
    EXPECT_TRUE(target.Empty());

    WideText copy(left);
    EXPECT_STREQ(copy.Text(), L"left");
    WideText moved(std::move(copy));
    EXPECT_STREQ(moved.Text(), L"left");

    const WideText joined = left + WideText(L"+right");
    EXPECT_STREQ(joined.Text(), L"left+right");
    EXPECT_STREQ((WideText(L"") + WideText(L"")).Text(), L"");
    EXPECT_STREQ(left.Text(), L"left");
}

TEST(WideText, ExtremeSizesNeitherWrapNorWritePastTheBlock) {
    // needed + growth passes INT_MAX: the text still gets a block that holds it.
    WideText stepped(L"");
    stepped.SetGrowth(INT_MAX);
    stepped.Append(L"xy");
    EXPECT_STREQ(stepped.Text(), L"xy");
    EXPECT_GE(stepped.CapacityBytes(), stepped.LengthBytes());
    stepped.Append(L"z");
    EXPECT_STREQ(stepped.Text(), L"xyz");
    EXPECT_GE(stepped.CapacityBytes(), stepped.LengthBytes());

    // INT_MAX rounded up to even is no int: the largest even int is taken, or, when that much
    // memory is not there (a 32-bit process), the value stays as it was.
    WideText huge(L"abc");
    huge.Resize(INT_MAX, false);
    EXPECT_STREQ(huge.Text(), L"abc");
    EXPECT_TRUE(huge.CapacityBytes() == INT_MAX - 1 || huge.CapacityBytes() == 6 + 520)
        << huge.CapacityBytes();
}

TEST(WideText, OddByteCountEndsInAZeroUnit) {
    // A block whose bytes after the text are not zero: units with a non-zero high byte.
    WideText text(L"\x263A\x263A\x263A\x263A\x263A");
    text = WideText(static_cast<const wchar_t*>(nullptr));
    text.Append(L"abc", 3);
    EXPECT_EQ(text.LengthBytes(), 3);
    EXPECT_STREQ(text.Text(), L"ab");
    text.Resize(100, false);
    EXPECT_STREQ(text.Text(), L"ab");
}
