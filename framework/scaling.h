#pragma once

// The DPI arithmetic of the window object, free of the platform.

// v x ratio in single precision, nearest integer, halves to even.
int ScaleValue(int value, float ratio);
// lfHeight of a font of `points` for an object of `dpi` on a screen of `screenY` pixels per inch.
int FontHeightForPoints(int points, int dpi, int screenY);
