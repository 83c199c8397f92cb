#pragma once
#include <stddef.h>
#include <stdint.h>

namespace alertkit {

// The template style bit that says a font follows the title (DS_SETFONT); always set.
constexpr uint32_t TEMPLATE_SET_FONT = 0x40;

// An extended in-memory dialog template without items: the box adds its controls once its
// own font's dialog units are known.
struct DialogTemplateFields {
    uint32_t style;
    uint32_t exStyle;
    int16_t x;
    int16_t y;
    int16_t width;
    int16_t height;
    const wchar_t* title;  // null: no title
    uint16_t pointSize;
    uint16_t weight;
    uint8_t italic;
    uint8_t charset;
    const wchar_t* faceName;  // null: empty face
};

// DLGTEMPLATEEX layout: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy,
// menu, class, title, then (DS_SETFONT) pointsize, weight, italic, charset, typeface; texts
// one 16-bit word per character. Writes at most `capacity` words to `words` (which may be
// null) and returns the number of words the whole template takes.
size_t BuildDialogTemplate(const DialogTemplateFields& fields, uint16_t* words, size_t capacity);

}  // namespace alertkit
