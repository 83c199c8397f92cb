#include "alertkit/dialog_template.h"

namespace alertkit {
namespace {

constexpr WORD TEMPLATE_VERSION = 1;
constexpr WORD EXTENDED_SIGNATURE = 0xFFFF;
constexpr WORD NO_MENU = 0;
constexpr WORD DEFAULT_CLASS = 0;
constexpr WORD NO_ITEMS = 0;
constexpr int BITS_PER_BYTE = 8;

void PushDword(std::vector<WORD>& words, DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

void PushString(std::vector<WORD>& words, const std::wstring& text) {
    for (wchar_t c : text)
        words.push_back(static_cast<WORD>(c));
    words.push_back(0);
}

}  // namespace

std::vector<WORD> BuildDialogTemplate(const DialogTemplateFields& fields) {
    std::vector<WORD> words;
    words.push_back(TEMPLATE_VERSION);
    words.push_back(EXTENDED_SIGNATURE);
    PushDword(words, 0);  // help context
    PushDword(words, fields.exStyle);
    PushDword(words, fields.style | DS_SETFONT);
    words.push_back(NO_ITEMS);
    words.push_back(static_cast<WORD>(fields.x));
    words.push_back(static_cast<WORD>(fields.y));
    words.push_back(static_cast<WORD>(fields.width));
    words.push_back(static_cast<WORD>(fields.height));
    words.push_back(NO_MENU);
    words.push_back(DEFAULT_CLASS);
    PushString(words, fields.title);
    words.push_back(fields.pointSize);
    words.push_back(fields.weight);
    words.push_back(static_cast<WORD>(fields.italic | (fields.charset << BITS_PER_BYTE)));
    PushString(words, fields.faceName);
    return words;
}

}  // namespace alertkit
