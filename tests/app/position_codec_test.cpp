#include "app/position_codec.h"

#include <gtest/gtest.h>

#include "tests/app/parking_cases.h"

TEST(PositionFile, DecodesLittleEndianAndShortFiles) {
    struct Case {
        const char* name;
        std::string bytes;
        int left;
        int top;
    };
    const Case cases[] = {
        {"26, 100", std::string("\x1A\0\0\0\x64\0\0\0", 8), 26, 100},
        {"negative", std::string("\x50\xFB\xFF\xFF\xFB\xFF\xFF\xFF", 8), -1200, -5},
        {"four bytes", std::string("\x1A\x01\0\0", 4), 282, 0},
        {"six bytes", std::string("\x1A\0\0\0\x64\x01", 6), 26, 356},
        {"empty", std::string(), 0, 0},
        {"longer than 8", std::string("\x01\0\0\0\x02\0\0\0\x03", 9), 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int left = -1;
        int top = -1;
        DecodePosition(c.bytes, &left, &top);
        EXPECT_EQ(c.left, left);
        EXPECT_EQ(c.top, top);
    }
}

// How the file is read and written around the parking place: settings_file_win_test.cpp.
TEST(PositionFile, ParkingPlaceIsNoPosition) {
    for (const ParkingCase& c : PARKING_CASES) {
        SCOPED_TRACE(testing::Message() << c.left << ", " << c.top);
        EXPECT_EQ(c.valid, !IsParkedPosition(c.left, c.top));
    }
}
