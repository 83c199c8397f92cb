#include "framework/version_number.h"

#include <gtest/gtest.h>

TEST(VersionNumber, IsMajorTimesHundredPlusMinor) {
    EXPECT_EQ(WindowsVersionNumber(6, 0), 600);
    EXPECT_EQ(WindowsVersionNumber(6, 1), 601);
    EXPECT_EQ(WindowsVersionNumber(6, 3), 603);
    EXPECT_EQ(WindowsVersionNumber(10, 0), 1000);
}
