#include "framework/placement.h"

#include <gtest/gtest.h>

TEST(CenterOver, CentringArithmetic) {
    struct Case {
        int refStart, refEnd, size, workStart, workEnd, expected;
    };
    // The last row lies on a second monitor, left of the primary (-1000..0): kept inside it.
    const Case cases[] = {
        {0, 1000, 200, 0, 1000, 400},  {100, 301, 100, 0, 1000, 150},
        {0, 1000, 1500, 0, 1000, 0},   {900, 1000, 300, 0, 1000, 700},
        {-50, 50, 200, 0, 1000, 0},    {0, 100, 201, 0, 1000, 0},
        {10, 20, 15, 0, 1000, 8},      {10, 21, 15, 0, 1000, 8},
        {-90, 0, 200, -1000, 0, -200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.refStart << ".." << c.refEnd << " size " << c.size);
        EXPECT_EQ(CenteredStart(c.refStart, c.refEnd, c.size, c.workStart, c.workEnd), c.expected);
    }
}

// The restored place of a window comes in workspace coordinates, which a taskbar on the left or
// at the top shifts against the screen (Wine without a desktop has none to show it).
TEST(RestoredTopLeft, WorkspaceToScreenArithmetic) {
    struct Case {
        const char* name;
        PlainRect monitor, work;
        PlainPoint workspace, screen;
    };
    const Case cases[] = {
        {"taskbar at the bottom", {0, 0, 1280, 1024}, {0, 0, 1280, 984}, {100, 50}, {100, 50}},
        {"taskbar on the left", {0, 0, 1280, 1024}, {60, 0, 1280, 1024}, {100, 50}, {160, 50}},
        {"taskbar at the top", {0, 0, 1280, 1024}, {0, 40, 1280, 1024}, {100, 50}, {100, 90}},
        {"monitor left of the primary, taskbar on its left",
         {-1920, 0, 0, 1080},
         {-1860, 0, 0, 1080},
         {-1800, 50},
         {-1740, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PlainPoint screen = ScreenFromWorkspace(c.workspace, c.monitor, c.work);
        EXPECT_EQ(c.screen.x, screen.x);
        EXPECT_EQ(c.screen.y, screen.y);
    }
}
