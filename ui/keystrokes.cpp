#include "ui/keystrokes.h"

#include "app/identifiers.h"
#include "framework/system_info_win.h"

namespace {

constexpr DWORD KEY_WAIT_MS = 3;
constexpr UINT TIMER_RESOLUTION_MS = 1;
constexpr DWORD FOCUS_POLL_MS = 2;
constexpr int CATCH_UP_TRIPS = 2;
constexpr SHORT KEY_DOWN_BIT = static_cast<SHORT>(0x8000);
// Wine's reset came within 50 ms of the activation on a loaded machine; where it never comes
// (a window manager that leaves the X focus alone) this is what a click costs.
constexpr DWORD MODIFIER_RESET_LIMIT_MS = 100;
// Further resets came up to 11 ms after the one before (in 80 clicks on a loaded machine);
// the Shift held this long untouched ends the wait. The whole wait stays within the longest.
constexpr DWORD MODIFIER_QUIET_MS = 30;
constexpr DWORD MODIFIER_WAIT_LONGEST_MS = 250;

constexpr KeyEvent BUILD_CONFIG_EVENTS[] = {
    {VK_F7, false},
    {VK_F7, true},
};

constexpr KeyEvent COMPILER_SETUP_EVENTS[] = {
    {VK_SHIFT, false}, {VK_F7, false},  {VK_F7, true},    {VK_SHIFT, true}, {VK_UP, false},
    {VK_UP, true},     {VK_UP, false},  {VK_UP, true},    {VK_UP, false},   {VK_UP, true},
    {VK_UP, false},    {VK_UP, true},   {VK_UP, false},   {VK_UP, true},    {VK_UP, false},
    {VK_UP, true},     {VK_UP, false},  {VK_UP, true},    {VK_DOWN, false}, {VK_DOWN, true},
    {VK_DOWN, false},  {VK_DOWN, true}, {VK_DOWN, false}, {VK_DOWN, true},  {VK_DOWN, false},
    {VK_DOWN, true},
};

template <int N>
constexpr int CountOf(const KeyEvent (&)[N]) {
    return N;
}

bool ThreadHasFocusWindow(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) && info.hwndFocus != nullptr;
}

// SetForegroundWindow switches the foreground at once, but Wine drops keys injected before
// WinFBE's thread has handled its activation and holds a focus window. Windows handles the
// activation before queued input, so there the wait ends at once or with that activation.
void WaitForFocus(HWND winFbe) {
    const DWORD threadId = winFbe ? GetWindowThreadProcessId(winFbe, nullptr) : 0;
    const DWORD start = GetTickCount();
    // Thread 0 would ask about the foreground thread, whatever it is.
    while (KeepWaitingForFocus(threadId != 0, threadId != 0 && ThreadHasFocusWindow(threadId),
                               GetTickCount() - start)) {
        Sleep(FOCUS_POLL_MS);
    }
}

// Further X events of the activation can still reach WinFBE's thread after the reset (see
// ModifierReset). The first round trip through that thread lets it send its focus request to
// the X server, the second lets it take the answer, which it reads before any sent message.
// Each is bounded, for a WinFBE that hangs; on Windows they cost microseconds.
void LetWinFbeCatchUp(HWND winFbe) {
    for (int trip = 0; trip < CATCH_UP_TRIPS; ++trip) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(winFbe, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, FOCUS_WAIT_LIMIT_MS, &ignored);
    }
}

void SendKey(const KeyEvent& event) {
    const BYTE scanCode = static_cast<BYTE>(MapVirtualKeyW(event.virtualKey, MAPVK_VK_TO_VSC));
    keybd_event(event.virtualKey, scanCode, event.release ? KEYEVENTF_KEYUP : 0, 0);
}

bool IsHeldDown(BYTE virtualKey) {
    return (GetAsyncKeyState(virtualKey) & KEY_DOWN_BIT) != 0;
}

// A reset of the modifiers (see ModifierReset) shows as a Shift released behind the program's
// back: it is pressed again. True when it was.
bool PressShiftAgainIfReleased() {
    if (IsHeldDown(VK_SHIFT)) {
        return false;
    }
    SendKey({VK_SHIFT, false});
    return true;
}

// Wine sets the modifier keys from the real keyboard when WinFBE's thread handles the X focus
// event of its activation, and it overwrites the Shift that thread has already read: a Shift
// pressed before that moment is released again, and F7 arrives alone. One activation can bring
// two or three such resets a few milliseconds apart. When the activation has yet to come, a
// Shift is pressed at once, before WinFBE's thread can have handled it, and the sequence waits
// (bounded) until Wine has released it; it is pressed again at each release, until it stays
// held for a quiet while. The sequence's own Shift comes after. Where nothing releases it (the
// focus was already WinFBE's, or the real Shift is held), the bound passes and the sequence
// goes on. Windows keeps the Shift: nothing is pressed there.
class ModifierReset {
public:
    ModifierReset(HWND winFbe, bool focusMoves, const KeySequence& sequence)
        : armed_(winFbe && focusMoves && sequence.count > 0 &&
                 sequence.events[0].virtualKey == VK_SHIFT &&
                 GetWindowThreadProcessId(winFbe, nullptr) != GetCurrentThreadId() &&
                 RunsUnderWine()) {
        if (armed_) {
            SendKey({VK_SHIFT, false});
        }
    }
    void Await() const {
        if (!armed_) {
            return;
        }
        const DWORD start = GetTickCount();
        bool released = false;
        DWORD lastRelease = start;
        for (;;) {
            const DWORD now = GetTickCount();
            if (ModifierWaitEnds(released, now - start, now - lastRelease)) {
                return;
            }
            if (PressShiftAgainIfReleased()) {
                released = true;
                lastRelease = now;
            }
            Sleep(FOCUS_POLL_MS);
        }
    }

private:
    bool armed_;
};

using TimePeriodFunction = UINT(WINAPI*)(UINT);

// timeBeginPeriod and timeEndPeriod of winmm, looked up when a sequence first needs them:
// imported, winmm and the libraries it brings would be loaded at every start of the program.
// Without them the waits are as coarse as the system timer.
struct TimerResolution {
    TimePeriodFunction begin = nullptr;
    TimePeriodFunction end = nullptr;

    TimerResolution() {
        HMODULE winmm = LoadLibraryW(L"winmm.dll");
        if (!winmm) {
            return;
        }
        begin = LookUp(winmm, "timeBeginPeriod");
        end = LookUp(winmm, "timeEndPeriod");
    }
    static TimePeriodFunction LookUp(HMODULE module, const char* name) {
        return reinterpret_cast<TimePeriodFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }
    void Begin(UINT ms) const {
        if (begin && end) {
            begin(ms);
        }
    }
    void End(UINT ms) const {
        if (begin && end) {
            end(ms);
        }
    }
};

const TimerResolution& SystemTimerResolution() {
    // Loaded once and kept for the life of the program.
    static const TimerResolution resolution;
    return resolution;
}

}  // namespace

// The F7 release comes after the timer resolution is given back, with no wait behind it.
const KeySequence BUILD_CONFIG_KEYS = {BUILD_CONFIG_EVENTS, CountOf(BUILD_CONFIG_EVENTS), 1};
const KeySequence COMPILER_SETUP_KEYS = {COMPILER_SETUP_EVENTS, CountOf(COMPILER_SETUP_EVENTS),
                                         CountOf(COMPILER_SETUP_EVENTS)};

bool KeepWaitingForFocus(bool winFbeFound, bool focusReported, DWORD waitedMs) {
    return winFbeFound && !focusReported && waitedMs < FOCUS_WAIT_LIMIT_MS;
}

bool ModifierWaitEnds(bool released, DWORD waitedMs, DWORD sinceReleaseMs) {
    return waitedMs >= MODIFIER_WAIT_LONGEST_MS ||
           (released ? sinceReleaseMs >= MODIFIER_QUIET_MS : waitedMs >= MODIFIER_RESET_LIMIT_MS);
}

void SendKeysToWinFbe(const KeySequence& sequence) {
    // Wine passes the window system requests such as the focus of the click that activated
    // this window when the thread next looks for input; sent after WinFBE's, that focus would
    // take the keyboard back from it. A look without waiting passes them now.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    HWND winFbe = FindWindowW(WINFBE_CLASS, nullptr);
    const bool focusMoves = GetForegroundWindow() != winFbe;
    SetForegroundWindow(winFbe);
    const ModifierReset reset(winFbe, focusMoves, sequence);
    WaitForFocus(winFbe);
    reset.Await();
    if (winFbe) {
        LetWinFbeCatchUp(winFbe);
    }
    // The 3 ms waits need a 1 ms timer resolution, held only for the sequence.
    const TimerResolution& resolution = SystemTimerResolution();
    resolution.Begin(TIMER_RESOLUTION_MS);
    bool shiftHeld = false;
    for (int i = 0; i < sequence.timedCount; ++i) {
        const KeyEvent& event = sequence.events[i];
        // A reset later than the quiet wait can still come between Shift and F7.
        if (shiftHeld && !event.release && PressShiftAgainIfReleased()) {
            Sleep(KEY_WAIT_MS);
        }
        if (event.virtualKey == VK_SHIFT) {
            shiftHeld = !event.release;
        }
        SendKey(event);
        Sleep(KEY_WAIT_MS);
    }
    resolution.End(TIMER_RESOLUTION_MS);
    for (int i = sequence.timedCount; i < sequence.count; ++i) {
        SendKey(sequence.events[i]);
    }
}
