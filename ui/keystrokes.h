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

// The longest wait for WinFBE to take the keyboard focus before the first key.
constexpr DWORD FOCUS_WAIT_LIMIT_MS = 250;

// True while the keys should still wait for WinFBE's thread to report a focus window: only
// when WinFBE was found, it has no focus window yet and the limit has not passed.
bool KeepWaitingForFocus(bool winFbeFound, bool focusReported, DWORD waitedMs);

// True when the wait for Wine's reset of the modifiers (under Wine alone) ends: at the longest
// wait, when the pressed Shift stayed held for a quiet while since its last release, or, while
// nothing released it, when the reset has not come within its limit.
bool ModifierWaitEnds(bool released, DWORD waitedMs, DWORD sinceReleaseMs);

// Brings WinFBE to the front, waits (bounded) until its thread holds the keyboard focus and
// sends the sequence; checks nothing else and reads no answer.
void SendKeysToWinFbe(const KeySequence& sequence);
