#include "app/preset_file.h"

#include "app/switch_line.h"
#include "framework/text_rules.h"

// The preset file is hand-edited text in the user's code page, read item by item:
//  - blanks and tabs in front of an item are skipped;
//  - an item ends at a comma or a line end (CR LF, LF or CR), which is consumed;
//  - an item opened by a double quote runs to the next quote or line end, commas included;
//    after the closing quote, blanks and tabs are skipped and one comma or line end consumed;
//  - any other quote is an ordinary character, and an empty line is an empty item;
//  - reading stops at the end of the bytes or after MAX_PRESETS items, so a final line end
//    gives no extra item.
// There is no encoding detection: a UTF-8 byte-order mark is read as three ordinary characters
// at the start of the first item (which then no longer starts with a quote), exactly as an
// editor that shows the file in the user's code page would show it.
//
// An item is kept only as far as its preset text can reach: 259 characters, of which none takes
// more than four bytes in any ANSI code page. The rest of a longer item is read past without
// being kept, so a file of any size (hundreds of MB on one line) costs a few kilobytes.
namespace {

constexpr char QUOTE = '"';
constexpr char COMMA = ',';
constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr size_t MAX_CHAR_BYTES = 4;
constexpr size_t ITEM_BYTES_KEPT = MAX_TEXT_CHARS * MAX_CHAR_BYTES;

class ItemReader {
public:
    explicit ItemReader(ByteStream& bytes) : bytes_(bytes) {}

    bool AtEnd() { return bytes_.AtEnd(); }

    Text8 NextItem() {
        SkipBlanks();
        if (At(QUOTE)) {
            return QuotedItem();
        }
        const Text8 item = TextUpTo(COMMA);
        if (At(COMMA)) {
            bytes_.Skip();
        } else {
            ConsumeLineEnd();
        }
        return item;
    }

private:
    bool At(char wanted) { return !AtEnd() && bytes_.Peek() == wanted; }
    bool AtLineEnd() { return At(CR) || At(LF); }

    // The item's text up to `end`, a line end or the end of the bytes, as far as it is kept.
    Text8 TextUpTo(char end) {
        Text8 text;
        while (!AtEnd() && !At(end) && !AtLineEnd()) {
            if (text.size() == ITEM_BYTES_KEPT) {
                bytes_.SkipToAny(end, CR, LF);
                break;
            }
            text += bytes_.Peek();
            bytes_.Skip();
        }
        return text;
    }

    void SkipBlanks() {
        while (At(' ') || At('\t')) {
            bytes_.Skip();
        }
    }

    void ConsumeLineEnd() {
        if (At(CR)) {
            bytes_.Skip();
            if (At(LF)) {
                bytes_.Skip();
            }
        } else if (At(LF)) {
            bytes_.Skip();
        }
    }

    Text8 QuotedItem() {
        bytes_.Skip();
        const Text8 item = TextUpTo(QUOTE);
        if (!At(QUOTE)) {
            ConsumeLineEnd();
            return item;
        }
        bytes_.Skip();
        SkipBlanks();
        if (At(COMMA)) {
            bytes_.Skip();
        } else {
            ConsumeLineEnd();
        }
        return item;
    }

    ByteStream& bytes_;
};

}  // namespace

Array<Text8> ReadPresetItems(ByteStream& bytes) {
    Array<Text8> items;
    ItemReader reader(bytes);
    while (!reader.AtEnd() && items.size() < static_cast<size_t>(MAX_PRESETS)) {
        items.push_back(reader.NextItem());
    }
    return items;
}

Array<Text8> ReadPresetItems(const Text8& bytes) {
    ByteStream stream(bytes);
    return ReadPresetItems(stream);
}
