#pragma once

// Windows parks a minimised window at (-32000, -32000). A file holding that place (written by a
// copy that saved a minimised window) would bring the window back invisible at every start. A
// monitor left of or above the primary one gives negative edges that stay valid.
struct ParkingCase {
    int left;
    int top;
    bool valid;
};

constexpr ParkingCase PARKING_CASES[] = {
    {-32000, -32000, false}, {-32100, -32000, false}, {-32000, -40000, false},
    {-31999, -32000, true},  {-32000, -31999, true},  {-32000, 100, true},
    {-1920, -1080, true},    {-1200, -5, true},
};
