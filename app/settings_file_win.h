#pragma once
#include "framework/text_rules.h"

// The values the program reads from section "Compiler".
enum class CompilerKey { Switches, Path };

// WinFBE's settings file and the position file in the program's folder, made once at start-up.
// A default value names no file: its reads give "" and its writes fail.
class SettingsFile {
public:
    SettingsFile() = default;
    SettingsFile(const wchar_t* iniPath, const wchar_t* programFolder);

    // The full path of WinFBE.ini.
    const wchar_t* Path() const { return path_.c_str(); }

    // A value as 8-bit text of at most 259 characters ("" when missing). Read with the 8-bit
    // call when the code page can name the file, else with the UTF-16 call. The first form fills
    // the caller's buffer and allocates nothing: the watch tick reads ten times a second.
    void ReadCompilerValue(CompilerKey key, char (&value)[TEXT_BUFFER_UNITS]) const;
    Text8 ReadCompilerValue(CompilerKey key) const;
    // Writes CompilerSwitches (UTF-16 call); false when the platform reports failure.
    bool WriteSwitchLine(const wchar_t* line) const;

    // Reads "CSposition.dat" into g_savedLeft/g_savedTop; false when absent. A parked position
    // counts as absent and leaves them alone.
    bool ReadPosition() const;
    // Rewrites the file when (left, top) differs from the saved values; a parked position is
    // never written.
    void WritePositionIfMoved(int left, int top) const;

private:
    Text16 path_;
    // The 8-bit forms of the file's name, the section and the keys, made once: the path never
    // changes after start-up. widePath_ when the code page cannot name the file.
    bool widePath_ = false;
    Text8 ansiPath_;
    Text8 section_;
    Text8 keys_[2];
    Text16 positionPath_;
};

// The program's settings file: WinFBE.ini's path is held here and nowhere else. Written only by
// the start-up.
extern SettingsFile g_iniPath;
// The position read at start-up; 0 and 0 without a position file. Written only by
// SettingsFile::ReadPosition.
extern int g_savedLeft;
extern int g_savedTop;

// The settings of the program in programFolder: "..\Settings\WinFBE.ini" against the current
// directory (cut to 259), which start-up made that folder, and the position file in it.
SettingsFile ComputeIniPath(const wchar_t* programFolder);
