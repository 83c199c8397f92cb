#include "app/preset_file.h"

#include <windows.h>

#include "app/ansi_text.h"
#include "app/file_bytes.h"
#include "app/switch_line.h"

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
namespace {

constexpr char QUOTE = '"';
constexpr char COMMA = ',';
constexpr char CR = '\r';
constexpr char LF = '\n';

class ItemReader {
public:
    explicit ItemReader(const std::string& bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }

    std::string NextItem() {
        SkipBlanks();
        if (!AtEnd() && bytes_[pos_] == QUOTE) {
            return QuotedItem();
        }
        std::string item;
        while (!AtEnd() && bytes_[pos_] != COMMA && !AtLineEnd()) {
            item += bytes_[pos_++];
        }
        if (!AtEnd() && bytes_[pos_] == COMMA) {
            ++pos_;
        } else {
            ConsumeLineEnd();
        }
        return item;
    }

private:
    bool AtLineEnd() const { return !AtEnd() && (bytes_[pos_] == CR || bytes_[pos_] == LF); }

    void SkipBlanks() {
        while (!AtEnd() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) {
            ++pos_;
        }
    }

    void ConsumeLineEnd() {
        if (AtEnd()) {
            return;
        }
        if (bytes_[pos_] == CR) {
            ++pos_;
            if (!AtEnd() && bytes_[pos_] == LF) {
                ++pos_;
            }
        } else if (bytes_[pos_] == LF) {
            ++pos_;
        }
    }

    std::string QuotedItem() {
        ++pos_;
        std::string item;
        while (!AtEnd() && bytes_[pos_] != QUOTE && !AtLineEnd()) {
            item += bytes_[pos_++];
        }
        if (AtEnd() || AtLineEnd()) {
            ConsumeLineEnd();
            return item;
        }
        ++pos_;
        SkipBlanks();
        if (!AtEnd() && bytes_[pos_] == COMMA) {
            ++pos_;
        } else {
            ConsumeLineEnd();
        }
        return item;
    }

    const std::string& bytes_;
    size_t pos_ = 0;
};

}  // namespace

std::vector<std::string> ReadPresetItems(const std::string& bytes) {
    std::vector<std::string> items;
    ItemReader reader(bytes);
    while (!reader.AtEnd() && items.size() < static_cast<size_t>(MAX_PRESETS)) {
        items.push_back(reader.NextItem());
    }
    return items;
}

std::vector<std::wstring> PresetsFromBytes(const std::string& bytes) {
    std::vector<std::wstring> presets;
    for (const std::string& item : ReadPresetItems(bytes)) {
        std::wstring preset = AnsiToWide(item);
        if (preset.size() > static_cast<size_t>(MAX_TEXT_CHARS)) {
            preset.resize(MAX_TEXT_CHARS);
        }
        presets.push_back(preset);
    }
    return presets;
}

void ReadPresets(const wchar_t* folder) {
    const std::wstring path = std::wstring(folder) + L"\\" + PRESET_FILE_NAME;
    g_presets = PresetsFromBytes(ReadFileBytes(path));
    g_presetSlots = static_cast<int>(g_presets.size()) + 1;
    g_presets.emplace_back();
}
