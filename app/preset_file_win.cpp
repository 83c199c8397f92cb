#include "app/preset_file_win.h"

#include "app/ansi_text_win.h"
#include "app/byte_stream_win.h"
#include "app/identifiers.h"
#include "app/preset_file.h"
#include "app/preset_list.h"
#include "framework/text_rules.h"

std::vector<std::wstring> PresetsFromItems(const std::vector<std::string>& items) {
    std::vector<std::wstring> presets;
    for (const std::string& item : items) {
        std::wstring preset = AnsiToWide(item);
        CutToTextLimit(preset);
        presets.push_back(preset);
    }
    return presets;
}

void ReadPresets(const wchar_t* folder) {
    FileByteStream stream(JoinPath(folder, PRESET_FILE_NAME).c_str());
    SetPresetList(PresetsFromItems(ReadPresetItems(stream)));
}
