#pragma once

// The arithmetic of placing a window, free of the platform: its callers convert POINT and RECT.

struct PlainPoint {
    int x;
    int y;
};

struct PlainRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Start of a span of `size` centred on [refStart, refEnd) and kept inside [workStart, workEnd).
int CenteredStart(int refStart, int refEnd, int size, int workStart, int workEnd);
// A point in workspace coordinates (relative to the work area of the monitor) in screen
// coordinates.
PlainPoint ScreenFromWorkspace(PlainPoint point, const PlainRect& monitor, const PlainRect& work);
