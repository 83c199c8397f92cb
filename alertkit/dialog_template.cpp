#include "alertkit/dialog_template.h"

namespace alertkit {
namespace {

constexpr uint16_t TEMPLATE_VERSION = 1;
constexpr uint16_t EXTENDED_SIGNATURE = 0xFFFF;
constexpr uint16_t NO_MENU = 0;
constexpr uint16_t DEFAULT_CLASS = 0;
constexpr uint16_t NO_ITEMS = 0;
constexpr int BITS_PER_BYTE = 8;
constexpr int BITS_PER_WORD = 16;
constexpr uint32_t LOW_WORD_MASK = 0xFFFF;

// Counts every word and stores those that fit.
class WordWriter {
public:
    WordWriter(uint16_t* words, size_t capacity) : words_(words), capacity_(capacity) {}
    void Push(uint16_t value) {
        if (words_ && count_ < capacity_)
            words_[count_] = value;
        ++count_;
    }
    void PushDword(uint32_t value) {
        Push(static_cast<uint16_t>(value & LOW_WORD_MASK));
        Push(static_cast<uint16_t>(value >> BITS_PER_WORD));
    }
    void PushString(const wchar_t* text) {
        for (const wchar_t* c = text ? text : L""; *c; ++c)
            Push(static_cast<uint16_t>(*c));
        Push(0);
    }
    size_t Count() const { return count_; }

private:
    uint16_t* words_;
    size_t capacity_;
    size_t count_ = 0;
};

}  // namespace

size_t BuildDialogTemplate(const DialogTemplateFields& fields, uint16_t* words, size_t capacity) {
    WordWriter writer(words, capacity);
    writer.Push(TEMPLATE_VERSION);
    writer.Push(EXTENDED_SIGNATURE);
    writer.PushDword(0);  // help context
    writer.PushDword(fields.exStyle);
    writer.PushDword(fields.style | TEMPLATE_SET_FONT);
    writer.Push(NO_ITEMS);
    writer.Push(static_cast<uint16_t>(fields.x));
    writer.Push(static_cast<uint16_t>(fields.y));
    writer.Push(static_cast<uint16_t>(fields.width));
    writer.Push(static_cast<uint16_t>(fields.height));
    writer.Push(NO_MENU);
    writer.Push(DEFAULT_CLASS);
    writer.PushString(fields.title);
    writer.Push(fields.pointSize);
    writer.Push(fields.weight);
    writer.Push(static_cast<uint16_t>(fields.italic | (fields.charset << BITS_PER_BYTE)));
    writer.PushString(fields.faceName);
    return writer.Count();
}

}  // namespace alertkit
