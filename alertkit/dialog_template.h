#pragma once
#include <windows.h>

#include <stddef.h>

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
    const wchar_t* title;  // null: no title
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    const wchar_t* faceName;  // null: empty face
};

// DLGTEMPLATEEX layout: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy,
// menu, class, title, then (DS_SETFONT) pointsize, weight, italic, charset, typeface.
// Writes at most `capacity` words to `words` (which may be null) and returns the number of
// words the whole template takes.
size_t BuildDialogTemplate(const DialogTemplateFields& fields, WORD* words, size_t capacity);

}  // namespace alertkit
