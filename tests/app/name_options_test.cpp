#include "app/name_options.h"

#include <gtest/gtest.h>

TEST(NameOptions, AppearanceFromTheProgramsName) {
    struct Case {
        const char* name;
        bool large;
        int fontSize;
    };
    const Case cases[] = {
        {"FlagsmithII", false, 8},
        {"FlagsmithIIL", true, 8},
        {"flagsmith lower l", false, 8},
        {"LargeA", true, 10},
        {"FlagsmithIIa", false, 10},
        {"FlagsmithIIF", false, 15},
        {"FlagsmithIIf", false, 15},
        {"FlagsmithII9", false, 9},
        {"FlagsmithII8", false, 8},
        {"FlagsmithII0", false, 8},
        {"FlagsmithIIG", false, 8},
        {"FlagsmithIIC", false, 12},
        {"", false, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.large, IsLargeLayoutName(c.name));
        EXPECT_EQ(c.fontSize, MessageFontSizeForName(c.name));
    }
}
