#include "alertkit/font_face.h"

#include <windows.h>

#include "alertkit/message_box_layout.h"
#include "framework/handles.h"

namespace alertkit {
namespace {

constexpr const wchar_t* FALLBACK_FACE = L"Segoe UI";
constexpr const wchar_t* DISPLAY_DEVICE = L"DISPLAY";
constexpr int FACE_LIMIT = LF_FACESIZE - 1;

// The face cut to the platform's limit, in upper case; `upper` holds LF_FACESIZE characters.
void UpperFace(const wchar_t* face, wchar_t* upper) {
    int length = 0;
    while (length < FACE_LIMIT && face[length]) {
        upper[length] = face[length];
        ++length;
    }
    upper[length] = L'\0';
    if (length > 0)
        CharUpperBuffW(upper, static_cast<DWORD>(length));
}

struct FaceSearch {
    const wchar_t* requested;
    bool found;
};

int CALLBACK OnFontFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
    FaceSearch* search = reinterpret_cast<FaceSearch*>(param);
    if (FaceNamesMatch(font->lfFaceName, search->requested)) {
        search->found = true;
        return 0;
    }
    return 1;
}

}  // namespace

bool FaceNamesMatch(const wchar_t* familyFace, const wchar_t* requestedFace) {
    wchar_t family[LF_FACESIZE];
    wchar_t requested[LF_FACESIZE];
    UpperFace(familyFace, family);
    UpperFace(requestedFace, requested);
    for (int i = 0;; ++i) {
        if (family[i] != requested[i])
            return false;
        if (!family[i])
            return true;
    }
}

const wchar_t* CheckedFaceName(const wchar_t* requestedFace) {
    FaceSearch search{requestedFace, false};
    if (requestedFace && *requestedFace) {
        MemoryDcOwner display(CreateDCW(DISPLAY_DEVICE, nullptr, nullptr, nullptr));
        if (display) {
            LOGFONTW all{};
            all.lfCharSet = DEFAULT_CHARSET;
            EnumFontFamiliesExW(display.get(), &all, OnFontFamily,
                                reinterpret_cast<LPARAM>(&search), 0);
        }
    }
    return search.found ? requestedFace : FALLBACK_FACE;
}

int WidestLineWidth(const wchar_t* text, const wchar_t* face, int points) {
    WindowDc screen(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen.get(), LOGPIXELSY);
    MemoryDcOwner memory(CreateCompatibleDC(screen.get()));
    if (!memory)
        return 0;

    LOGFONTW request{};
    request.lfHeight = MeasuringFontHeight(pixelsPerInch, points);
    request.lfWeight = FW_NORMAL;
    lstrcpynW(request.lfFaceName, face, LF_FACESIZE);
    FontOwner font(CreateFontIndirectW(&request));
    SelectGuard selected(memory.get(), font.get());

    int widest = 0;
    for (const wchar_t* line = text ? text : L""; line; line = NextLine(line)) {
        SIZE extent{};
        GetTextExtentPoint32W(memory.get(), line, LineLength(line), &extent);
        if (extent.cx > widest)
            widest = extent.cx;
    }
    return widest;
}

}  // namespace alertkit
