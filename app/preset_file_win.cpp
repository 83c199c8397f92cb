#include "app/preset_file_win.h"

#include "app/ansi_text_win.h"
#include "app/byte_stream_win.h"
#include "app/identifiers.h"
#include "app/preset_file.h"
#include "app/preset_list.h"
#include "framework/text_rules.h"

Array<Text16> PresetsFromItems(const Array<Text8>& items) {
    Array<Text16> presets;
    for (const Text8& item : items) {
        Text16 preset = AnsiToWide(item);
        CutToTextLimit(preset);
        presets.push_back(preset);
    }
    return presets;
}

void ReadPresets(const wchar_t* folder) {
    FileByteStream stream(JoinPath(folder, PRESET_FILE_NAME).c_str());
    SetPresetList(PresetsFromItems(ReadPresetItems(stream)));
}
