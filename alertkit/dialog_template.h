#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace alertkit {

// An extended in-memory dialog template without items: the box adds its controls once its
// own font's dialog units are known.
struct DialogTemplateFields {
    DWORD style;
    DWORD exStyle;
    short x;
    short y;
    short width;
    short height;
    std::wstring title;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::wstring faceName;
};

// DLGTEMPLATEEX layout: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy,
// menu, class, title, then (DS_SETFONT) pointsize, weight, italic, charset, typeface.
std::vector<WORD> BuildDialogTemplate(const DialogTemplateFields& fields);

}  // namespace alertkit
