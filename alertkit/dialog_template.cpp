#include "alertkit/dialog_template.h"

namespace alertkit {
namespace {

constexpr WORD TEMPLATE_VERSION = 1;
constexpr WORD EXTENDED_SIGNATURE = 0xFFFF;
constexpr WORD NO_MENU = 0;
constexpr WORD DEFAULT_CLASS = 0;
constexpr WORD NO_ITEMS = 0;
constexpr int BITS_PER_BYTE = 8;

// Counts every word and stores those that fit.
class WordWriter {
public:
    WordWriter(WORD* words, size_t capacity) : words_(words), capacity_(capacity) {}
    void Push(WORD value) {
        if (words_ && count_ < capacity_)
            words_[count_] = value;
        ++count_;
    }
    void PushDword(DWORD value) {
        Push(LOWORD(value));
        Push(HIWORD(value));
    }
    void PushString(const wchar_t* text) {
        for (const wchar_t* c = text ? text : L""; *c; ++c)
            Push(static_cast<WORD>(*c));
        Push(0);
    }
    size_t Count() const { return count_; }

private:
    WORD* words_;
    size_t capacity_;
    size_t count_ = 0;
};

}  // namespace

size_t BuildDialogTemplate(const DialogTemplateFields& fields, WORD* words, size_t capacity) {
    WordWriter writer(words, capacity);
    writer.Push(TEMPLATE_VERSION);
    writer.Push(EXTENDED_SIGNATURE);
    writer.PushDword(0);  // help context
    writer.PushDword(fields.exStyle);
    writer.PushDword(fields.style | DS_SETFONT);
    writer.Push(NO_ITEMS);
    writer.Push(static_cast<WORD>(fields.x));
    writer.Push(static_cast<WORD>(fields.y));
    writer.Push(static_cast<WORD>(fields.width));
    writer.Push(static_cast<WORD>(fields.height));
    writer.Push(NO_MENU);
    writer.Push(DEFAULT_CLASS);
    writer.PushString(fields.title);
    writer.Push(fields.pointSize);
    writer.Push(fields.weight);
    writer.Push(static_cast<WORD>(fields.italic | (fields.charset << BITS_PER_BYTE)));
    writer.PushString(fields.faceName);
    return writer.Count();
}

}  // namespace alertkit
