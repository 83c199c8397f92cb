#pragma once
#include <windows.h>

struct KeyEvent {
    BYTE virtualKey;
    bool release;
};

// The events in order; the first timedCount are each followed by a 3 ms wait under a 1 ms
// timer resolution, the rest come after the resolution is released, without a wait.
struct KeySequence {
    const KeyEvent* events;
    int count;
    int timedCount;
};

// F7.
extern const KeySequence BUILD_CONFIG_KEYS;
// Shift+F7, seven Up, four Down.
extern const KeySequence COMPILER_SETUP_KEYS;

// Brings WinFBE to the front and sends the sequence; checks nothing, waits for no answer.
void SendKeysToWinFbe(const KeySequence& sequence);
