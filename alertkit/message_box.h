#pragma once
#include <windows.h>

#include <stdint.h>

#include <string>

#include "alertkit/style_decode.h"

namespace alertkit {

// Everything one box needs, decoded and checked by the caller.
struct BoxRequest {
    HWND owner;  // null: no owner, centred on the desktop
    std::wstring caption;
    std::wstring text;
    int lineCount;
    int widestLinePixels;
    std::wstring faceName;
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
// all it created released on return. The owner is disabled in modal mode and left so.
BoxOutcome RunMessageBox(const BoxRequest& request);

}  // namespace alertkit
