#include "alertkit/alertkit.h"

#include <windows.h>

#include <stdint.h>

#include "alertkit/font_face.h"
#include "alertkit/message_box.h"
#include "alertkit/message_box_layout.h"
#include "alertkit/style_decode.h"
#include "framework/handles.h"

namespace {

using namespace alertkit;

constexpr size_t MAX_FACE_LENGTH = 255;
constexpr COLORREF COLOR_VALUE_MASK = 0x00FFFFFF;

// A null number reads as 0 rather than taking the caller's process down.
int32_t ReadNumber(const int32_t* value) {
    return value ? *value : 0;
}

// The box's own copy of a caller's text, cut to `limit` characters; null reads as empty.
// A null copy means memory ran out.
class TextCopy {
public:
    TextCopy(const wchar_t* text, size_t limit)
        : length_(Length(text, limit)), chars_(length_ + 1) {
        if (chars_ && length_)
            CopyMemory(chars_.get(), text, length_ * sizeof(wchar_t));
    }
    const wchar_t* get() const { return chars_.get(); }
    explicit operator bool() const { return static_cast<bool>(chars_); }

private:
    static size_t Length(const wchar_t* text, size_t limit) {
        size_t length = 0;
        if (text) {
            while (length < limit && text[length])
                ++length;
        }
        return length;
    }
    size_t length_;
    HeapArray<wchar_t> chars_;
};

// Negative colours select the platform's colour.
COLORREF ResolveColor(int32_t value, int systemColor) {
    return value < 0 ? GetSysColor(systemColor) : static_cast<COLORREF>(value) & COLOR_VALUE_MASK;
}

LPCWSTR StockIconName(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Hand:
            return IDI_HAND;
        case BoxIcon::Question:
            return IDI_QUESTION;
        case BoxIcon::Exclamation:
            return IDI_EXCLAMATION;
        case BoxIcon::Asterisk:
            return IDI_ASTERISK;
        default:
            return nullptr;
    }
}

// A handle that names no window is treated as no owner: there is nothing to place over.
HWND ReadOwner(const int32_t* ownerWindow) {
    HWND owner = reinterpret_cast<HWND>(
        static_cast<UINT_PTR>(static_cast<uint32_t>(ReadNumber(ownerWindow))));
    return owner && IsWindow(owner) ? owner : nullptr;
}

int32_t ShowAlert(const int32_t* ownerWindow,
                  const wchar_t* text,
                  const wchar_t* caption,
                  const int32_t* style,
                  const int32_t* timeoutSeconds,
                  const wchar_t* fontName,
                  const int32_t* fontSize,
                  const int32_t* textColor,
                  const int32_t* backColor) {
    const TextCopy captionCopy(caption, SIZE_MAX);
    const TextCopy textCopy(text, SIZE_MAX);
    const TextCopy face(fontName, MAX_FACE_LENGTH);
    if (!captionCopy || !textCopy || !face)
        return 0;
    BoxRequest request{};
    request.owner = ReadOwner(ownerWindow);
    request.caption = captionCopy.get();
    request.text = textCopy.get();
    request.style = DecodeStyle(ReadNumber(style));
    if (LPCWSTR iconName = StockIconName(request.style.icon))
        request.icon = LoadIconW(nullptr, iconName);
    request.timeoutSeconds = ReadNumber(timeoutSeconds);
    const int32_t points = ReadNumber(fontSize);
    request.fontSize = points < 0 ? 0 : points;

    request.lineCount = CountLines(request.text);
    request.faceName = CheckedFaceName(face.get());
    request.widestLinePixels = WidestLineWidth(request.text, request.faceName, request.fontSize);
    request.textColor = ResolveColor(ReadNumber(textColor), COLOR_WINDOWTEXT);
    request.backColor = ResolveColor(ReadNumber(backColor), COLOR_BTNFACE);

    const BoxOutcome outcome = RunMessageBox(request);
    // Always, so that an owner some earlier code left disabled is usable again.
    if (request.owner)
        EnableWindow(request.owner, TRUE);
    // The box's loop swallowed the quit request; hand it back so the caller's loop still ends.
    if (outcome.quitTaken)
        PostQuitMessage(outcome.quitCode);
    return ResultOfButton(request.style, outcome.buttonNumber);
}

}  // namespace

extern "C" int32_t __stdcall ALERTKIT(const int32_t* ownerWindow,
                                      const wchar_t* text,
                                      const wchar_t* caption,
                                      const int32_t* style,
                                      const int32_t* timeoutSeconds,
                                      const wchar_t* fontName,
                                      const int32_t* fontSize,
                                      const int32_t* textColor,
                                      const int32_t* backColor) {
    return ShowAlert(ownerWindow, text, caption, style, timeoutSeconds, fontName, fontSize,
                     textColor, backColor);
}
