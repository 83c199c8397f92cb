#include "framework/placement.h"

int CenteredStart(int refStart, int refEnd, int size, int workStart, int workEnd) {
    int start = refStart + ((refEnd - refStart) - size) / 2;
    if (start < workStart) {
        start = workStart;
    } else if (start + size > workEnd) {
        start = workEnd - size;
    }
    return start;
}

PlainPoint ScreenFromWorkspace(PlainPoint point, const PlainRect& monitor, const PlainRect& work) {
    return {point.x + work.left - monitor.left, point.y + work.top - monitor.top};
}
