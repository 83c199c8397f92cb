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

std::vector<WORD> BuildDialogTemplate(const DialogTemplateSpec& spec) {
    std::vector<WORD> words;
    words.push_back(TEMPLATE_VERSION);
    words.push_back(EXTENDED_SIGNATURE);
    PushDword(words, 0);  // help context
    PushDword(words, spec.exStyle);
    PushDword(words, spec.style | DS_SETFONT);
    words.push_back(NO_ITEMS);
    words.push_back(static_cast<WORD>(spec.x));
    words.push_back(static_cast<WORD>(spec.y));
    words.push_back(static_cast<WORD>(spec.width));
    words.push_back(static_cast<WORD>(spec.height));
    words.push_back(NO_MENU);
    words.push_back(DEFAULT_CLASS);
    PushString(words, spec.title);
    words.push_back(spec.pointSize);
    words.push_back(spec.weight);
    words.push_back(static_cast<WORD>(spec.italic | (spec.charset << BITS_PER_BYTE)));
    PushString(words, spec.faceName);
    return words;
}

}  // namespace alertkit
