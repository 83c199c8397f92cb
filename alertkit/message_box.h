#pragma once
#include <windows.h>

#include <stdint.h>

#include "alertkit/style_decode.h"

namespace alertkit {

// Everything one box needs, decoded and checked by the caller. The texts are not null and
// stay valid while the box runs.
struct BoxRequest {
    HWND owner;  // null: no owner, centred on the desktop
    const wchar_t* caption;
    const wchar_t* text;
    int lineCount;
    int widestLinePixels;
    const wchar_t* faceName;
    int fontSize;  // points, not negative
    COLORREF textColor;
    COLORREF backColor;
    BoxStyle style;
    HICON icon;  // shared stock icon; null: no icon
    int32_t timeoutSeconds;
};

struct BoxOutcome {
    int buttonNumber;  // 1 to 3; 0 when closed without a button
    bool quitTaken;    // the box's loop took a quit message from the queue
    int quitCode;
};

// Shows the box and runs it on the calling thread until it ends; the box is destroyed and
// all it created released on return. The owner is disabled in modal mode and enabled again
// as the box ends.
BoxOutcome RunMessageBox(const BoxRequest& request);

}  // namespace alertkit
