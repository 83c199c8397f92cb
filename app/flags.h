#pragma once
#include <cstddef>

#include "framework/text16.h"

// The flags' check boxes.
constexpr int IDC_EXX = 1100;
constexpr int IDC_ARCH686 = 1109;
constexpr int IDC_CONSOLE = 1110;

// One row per flag, in switch-line order: everything the program composes, matches, keeps in
// files, builds and reads back loops over this table. A new flag is its identifier and one row
// here, and its place in the main window (FLAG_BOX_PLACES, ui/main_layout.cpp).
struct FlagInfo {
    int controlId;
    const Char16* caption;
    const Char16* piece;     // what it puts into the switch line, blank included
    const Char16* fileName;  // present in the program's folder while the flag is on
    size_t layoutSlot;       // its check box's place, which is also the creation (tab) order
};

inline constexpr FlagInfo FLAGS[] = {
    {IDC_CONSOLE, U16("Console"), U16("-s console "), U16("Console.dat"), 0},
    {IDC_ARCH686, U16("686"), U16("-arch 686 "), U16("686.dat"), 2},
    {IDC_EXX, U16("-exx"), U16("-exx "), U16("exx.dat"), 1},
};
constexpr size_t FLAG_COUNT = sizeof(FLAGS) / sizeof(FLAGS[0]);

// Every flag has a slot of its own among the first FLAG_COUNT, so each box is made once.
constexpr bool EachFlagHasItsOwnSlot() {
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        if (FLAGS[i].layoutSlot >= FLAG_COUNT) {
            return false;
        }
        for (size_t j = 0; j < i; ++j) {
            if (FLAGS[j].layoutSlot == FLAGS[i].layoutSlot) {
                return false;
            }
        }
    }
    return true;
}
static_assert(EachFlagHasItsOwnSlot(), "two flags in one layout slot, or a slot beyond the table");

// The row of the flag whose check box has identifier controlId; FLAG_COUNT for none.
constexpr size_t FlagIndex(int controlId) {
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        if (FLAGS[i].controlId == controlId) {
            return i;
        }
    }
    return FLAG_COUNT;
}

// The state of every flag, by row of FLAGS, read once from wherever they are kept (check boxes,
// flag files).
struct SwitchFlags {
    bool on[FLAG_COUNT];
};
