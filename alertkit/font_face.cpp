#include "alertkit/font_face.h"

#include <windows.h>

#include "alertkit/handles.h"
#include "alertkit/message_box_layout.h"

namespace alertkit {
namespace {

constexpr const wchar_t* FALLBACK_FACE = L"Segoe UI";
constexpr const wchar_t* DISPLAY_DEVICE = L"DISPLAY";

std::wstring UpperFace(const wchar_t* face) {
    std::wstring upper(face);
    if (upper.size() > LF_FACESIZE - 1)
        upper.resize(LF_FACESIZE - 1);
    if (!upper.empty())
        CharUpperBuffW(&upper[0], static_cast<DWORD>(upper.size()));
    return upper;
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
    return UpperFace(familyFace) == UpperFace(requestedFace);
}

std::wstring CheckedFaceName(const std::wstring& requestedFace) {
    FaceSearch search{requestedFace.c_str(), false};
    if (!requestedFace.empty()) {
        HDC display = CreateDCW(DISPLAY_DEVICE, nullptr, nullptr, nullptr);
        if (display) {
            LOGFONTW all{};
            all.lfCharSet = DEFAULT_CHARSET;
            EnumFontFamiliesExW(display, &all, OnFontFamily, reinterpret_cast<LPARAM>(&search), 0);
            DeleteDC(display);
        }
    }
    return search.found ? requestedFace : std::wstring(FALLBACK_FACE);
}

int WidestLineWidth(const std::vector<std::wstring>& lines, const std::wstring& face, int points) {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    MemoryDcOwner memory(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    if (!memory)
        return 0;

    LOGFONTW request{};
    request.lfHeight = MeasuringFontHeight(pixelsPerInch, points);
    request.lfWeight = FW_NORMAL;
    lstrcpynW(request.lfFaceName, face.c_str(), LF_FACESIZE);
    FontOwner font(CreateFontIndirectW(&request));
    SelectGuard selected(memory.get(), font.get());

    int widest = 0;
    for (const std::wstring& line : lines) {
        SIZE extent{};
        GetTextExtentPoint32W(memory.get(), line.c_str(), static_cast<int>(line.size()), &extent);
        if (extent.cx > widest)
            widest = extent.cx;
    }
    return widest;
}

}  // namespace alertkit
