#include "framework/paths.h"

#include <gtest/gtest.h>

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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(Text16(c.path)));
        EXPECT_EQ(PathBaseName(c.path), c.baseName);
        EXPECT_EQ(PathFolder(c.path), c.folder);
    }
}

TEST(TextRules, DecimalText) {
    EXPECT_EQ(DecimalText(0), U16("0"));
    EXPECT_EQ(DecimalText(183), U16("183"));
    EXPECT_EQ(DecimalText(4294967295UL), U16("4294967295"));
}
