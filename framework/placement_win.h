#pragma once
#include <windows.h>

// Sizing and placing windows on the screen.

// Sizes the window so its client area is width x height at the given ratios.
BOOL ResizeClient(HWND window, int width, int height, float scaleX, float scaleY);
// Centres the window over `reference` (null: the primary work area), kept inside the work area
// of the monitor nearest the reference.
void CenterOver(HWND window, HWND reference);
// Top-left corner, in screen coordinates, of the place the window has when it is neither
// minimised nor maximised (for a minimised window: where it comes back to).
POINT RestoredTopLeft(HWND window);
