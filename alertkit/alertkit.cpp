#include "alertkit/alertkit.h"

#include <windows.h>

#include "alertkit/font_face.h"
#include "alertkit/message_box.h"
#include "alertkit/message_box_layout.h"
#include "alertkit/style_decode.h"

namespace {

using namespace alertkit;

constexpr size_t MAX_FACE_LENGTH = 255;
constexpr COLORREF COLOR_VALUE_MASK = 0x00FFFFFF;

// A null number reads as 0 rather than taking the caller's process down.
int32_t ReadNumber(const int32_t* value) {
    return value ? *value : 0;
}

std::wstring ReadText(const wchar_t* text) {
    return text ? std::wstring(text) : std::wstring();
}

// Negative colours select the platform's colour.
COLORREF ResolveColor(int32_t value, int systemColor) {
    return value < 0 ? GetSysColor(systemColor) : static_cast<COLORREF>(value) & COLOR_VALUE_MASK;
}

LPCWSTR StockIconName(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Hand: return IDI_HAND;
        case BoxIcon::Question: return IDI_QUESTION;
        case BoxIcon::Exclamation: return IDI_EXCLAMATION;
        case BoxIcon::Asterisk: return IDI_ASTERISK;
        default: return nullptr;
    }
}

// A handle that names no window is treated as no owner: there is nothing to place over.
HWND ReadOwner(const int32_t* ownerWindow) {
    HWND owner = reinterpret_cast<HWND>(
        static_cast<UINT_PTR>(static_cast<uint32_t>(ReadNumber(ownerWindow))));
    return owner && IsWindow(owner) ? owner : nullptr;
}

int32_t ShowAlert(const int32_t* ownerWindow, const wchar_t* text, const wchar_t* caption,
                  const int32_t* style, const int32_t* timeoutSeconds, const wchar_t* fontName,
                  const int32_t* fontSize, const int32_t* textColor, const int32_t* backColor) {
    BoxRequest request{};
    request.owner = ReadOwner(ownerWindow);
    request.caption = ReadText(caption);
    request.text = ReadText(text);
    std::wstring face = ReadText(fontName);
    if (face.size() > MAX_FACE_LENGTH)
        face.resize(MAX_FACE_LENGTH);
    request.style = DecodeStyle(ReadNumber(style));
    if (LPCWSTR iconName = StockIconName(request.style.icon))
        request.icon = LoadIconW(nullptr, iconName);
    request.timeoutSeconds = ReadNumber(timeoutSeconds);
    const int32_t points = ReadNumber(fontSize);
    request.fontSize = points < 0 ? 0 : points;

    const std::vector<std::wstring> lines = SplitLines(request.text.c_str());
    request.lineCount = static_cast<int>(lines.size());
    request.faceName = CheckedFaceName(face);
    request.widestLinePixels = WidestLineWidth(lines, request.faceName, request.fontSize);
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

extern "C" int32_t __stdcall ALERTKIT(const int32_t* ownerWindow, const wchar_t* text,
                                      const wchar_t* caption, const int32_t* style,
                                      const int32_t* timeoutSeconds, const wchar_t* fontName,
                                      const int32_t* fontSize, const int32_t* textColor,
                                      const int32_t* backColor) {
    try {
        return ShowAlert(ownerWindow, text, caption, style, timeoutSeconds, fontName, fontSize,
                         textColor, backColor);
    } catch (...) {
        return 0;
    }
}
