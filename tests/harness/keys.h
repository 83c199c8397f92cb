#pragma once
#include <windows.h>

namespace e2e {

// A key pressed and released as a person does on the keyboard, with a modifier (VK_CONTROL,
// VK_SHIFT) held around it when one is given.
inline void PressKey(BYTE key, BYTE modifier = 0) {
    const auto scan = [](BYTE k) { return static_cast<BYTE>(MapVirtualKeyW(k, MAPVK_VK_TO_VSC)); };
    if (modifier)
        keybd_event(modifier, scan(modifier), 0, 0);
    keybd_event(key, scan(key), 0, 0);
    keybd_event(key, scan(key), KEYEVENTF_KEYUP, 0);
    if (modifier)
        keybd_event(modifier, scan(modifier), KEYEVENTF_KEYUP, 0);
}

}  // namespace e2e
