#include "framework/paths.h"

#include <gtest/gtest.h>

#include "framework/array.h"
#include "framework/text_rules.h"

TEST(FilePaths, BaseNameAndFolderOfModulePaths) {
    struct Case {
        const Char16* path;
        const Char16* baseName;
        const Char16* folder;
    };
    const Case cases[] = {
        {U16("C:\\Tools\\prog.exe"), U16("prog"), U16("C:\\Tools")},
        {U16("C:\\Tools\\my.tool.exe"), U16("my.tool"), U16("C:\\Tools")},
        {U16("C:\\a.b\\prog"), U16("prog"), U16("C:\\a.b")},
        {U16("C:\\prog.exe"), U16("prog"), U16("C:\\")},
        {U16("C:prog.exe"), U16("prog"), U16("C:")},
        {U16("D:/x/y/run.me.exe"), U16("run.me"), U16("D:/x/y/")},  // only a backslash is removed
        {U16("prog.exe"), U16("prog"), U16("prog.exe")},
        {U16("C:\\Tools\\"), U16(""), U16("C:\\Tools")},
        // Roots as Windows' PathIsRootW tells them: a server or "\\\" is none, a prefixed one is.
        {U16("\\\\server\\prog.exe"), U16("prog"), U16("\\\\server")},
        {U16("\\\\\\prog.exe"), U16("prog"), U16("\\\\")},
        {U16("\\\\?\\C:\\prog.exe"), U16("prog"), U16("\\\\?\\C:\\")},
        {U16("\\\\?\\unc\\prog.exe"), U16("prog"), U16("\\\\?\\unc\\")},
        {U16("\\\\?\\Volume{e51a1864-6f2d-4019-b73d-F4E60E600C26}\\prog.exe"), U16("prog"),
         U16("\\\\?\\Volume{e51a1864-6f2d-4019-b73d-F4E60E600C26}\\")},
        {U16("\\\\?\\Volume{z51a1864-6f2d-4019-b73d-f4e60e600c26}\\prog.exe"), U16("prog"),
         U16("\\\\?\\Volume{z51a1864-6f2d-4019-b73d-f4e60e600c26}")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(PathBaseName(c.path), c.baseName);
        EXPECT_EQ(PathFolder(c.path), c.folder);
    }
}

TEST(TextRules, DecimalText) {
    EXPECT_EQ(DecimalText(0), U16("0"));
    EXPECT_EQ(DecimalText(183), U16("183"));
    EXPECT_EQ(DecimalText(4294967295UL), U16("4294967295"));
}

// The owned text and array: growth, also from their own contents, counted texts with NUL units,
// the searches' ends, and copies that stay apart.
TEST(TextRules, OwnedTextAndArray) {
    Text8 text("ab");
    for (int i = 0; i < 6; ++i) {
        text.append(text.c_str(), text.size());
    }
    EXPECT_EQ(128u, text.size());
    EXPECT_EQ("abab", text.substr(124) + "");
    const Text8 counted("a\0b", 3);
    EXPECT_EQ(3u, counted.size());
    EXPECT_NE(counted, "a");
    EXPECT_EQ(Text8::npos, counted.find('b', 3));
    EXPECT_EQ(2u, counted.rfind('b'));
    EXPECT_EQ("", counted.substr(4));
    Text16 cut(MAX_TEXT_CHARS + 1, U16('x'));
    CutToTextLimit(cut);
    EXPECT_EQ(Text16(MAX_TEXT_CHARS, U16('x')), cut);

    Array<Text16> items = {U16("first")};
    for (int i = 0; i < 40; ++i) {
        items.emplace_back(items[0]);
    }
    const Array<Text16> copy = items;
    items[1] += U16("!");
    EXPECT_EQ(41u, copy.size());
    EXPECT_EQ(U16("first"), copy[40]);
    EXPECT_EQ(U16("first!"), items[1]);
    EXPECT_NE(copy, items);
}
