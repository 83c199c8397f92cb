#include "ui/message_box.h"

#include <stdint.h>

#include "alertkit/alertkit.h"
#include "app/messages.h"
#include "ui/main_window.h"
#include "ui/modal.h"

void ShowMessage(HWND owner, const wchar_t* text, int style, int fontSize) {
    // Window handles are 32-bit values, whatever the pointer size.
    const int32_t ownerWindow = static_cast<int32_t>(reinterpret_cast<intptr_t>(owner));
    const int32_t styleValue = style;
    const int32_t timeoutSeconds = MSG_TIMEOUT;
    const int32_t size = fontSize;
    const int32_t textColor = MSG_TEXT_COLOR;
    const int32_t backColor = MSG_BACK_COLOR;
    ALERTKIT(&ownerWindow, text, MSG_CAPTION, &styleValue, &timeoutSeconds, MSG_FONT, &size,
             &textColor, &backColor);
}

void ShowStandardMessage(const wchar_t* text) {
    ShowMessage(g_hwndMain, text, MSG_STYLE, g_msgFontSize);
}

void ShowStandardMessageModal(const wchar_t* text) {
    const ModalScope modal;
    ShowStandardMessage(text);
}
