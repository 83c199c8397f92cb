#include "ui/edit_window.h"

#include "app/ansi_text_win.h"
#include "app/identifiers.h"
#include "app/messages.h"
#include "app/preset_list.h"
#include "app/settings_file_win.h"
#include "framework/array.h"
#include "framework/text_rules.h"
#include "framework/app_window_win.h"
#include "framework/placement_win.h"
#include "framework/window_procs_win.h"
#include "ui/main_layout.h"
#include "ui/message_box.h"
#include "ui/modal.h"

namespace {

constexpr const wchar_t* EDIT_TITLE = L"FLG - Edit";
constexpr int EDIT_WIDTH = 326;
constexpr int EDIT_HEIGHT = 142;
// Shown by the message loop.
constexpr DWORD EDIT_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU;
static_assert(EDIT_STYLE == 0x80C80000, "the edit window's style");
constexpr DWORD EDIT_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
static_assert(EDIT_EX_STYLE == 0x00010001, "the edit window's extended style");
// One left-aligned line.
constexpr DWORD FIELD_STYLE = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
static_assert(FIELD_STYLE == 0x10010080, "the edit field's style");
constexpr int NO_ID = -1;
constexpr WPARAM FIELD_LIMIT = 260;
constexpr int RESULT_CHARS = INPUT_TEXT_LIMIT + 1;

constexpr const wchar_t* PROMPT = L"Additional compiler option switches (optional)";
constexpr const wchar_t* OK_CAPTION = L"&Ok";
constexpr const wchar_t* CANCEL_CAPTION = L"&Cancel";
// user32's own captions of the OK and Cancel buttons.
constexpr UINT OK_STRING_ID = 800;
constexpr UINT CANCEL_STRING_ID = 801;
constexpr int STRING_CHARS = 260;

const ControlSpec EDIT_CONTROLS[] = {
    {L"Label", NO_ID, PROMPT, 21, 10, 280, 19},
    {L"Edit", IDC_SWITCHES_TEXT, L"", 21, 33, 280, 19, FIELD_STYLE},
    {L"Button", IDOK, OK_CAPTION, 21, 72, 75, 22},
    {L"Button", IDCANCEL, CANCEL_CAPTION, 226, 72, 75, 22},
};

// "&" and the platform's caption, so its first letter stays the access key; where user32
// lacks the string the button keeps its own caption.
void LocaliseButton(HWND button, HMODULE user32, UINT stringId) {
    wchar_t text[STRING_CHARS] = {};
    if (LoadStringW(user32, stringId, text, STRING_CHARS)) {
        const Text16 caption = Text16(L"&") + text;
        SendMessageW(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    }
}

// Runs the edit window until it is gone; returns the result buffer's text (empty after
// Cancel, Esc or the close box).
Text8 AskForLine(HWND mainWindow, const Text8& current) {
    Array<wchar_t> result(RESULT_CHARS);
    AppWindow editor;
    HWND window = editor.Create(mainWindow, EDIT_TITLE, InputWindowProc, 0, 0, EDIT_WIDTH,
                                EDIT_HEIGHT, EDIT_STYLE, EDIT_EX_STYLE);
    CenterOver(window, mainWindow);

    for (const ControlSpec& item : EDIT_CONTROLS) {
        editor.CreateControl(item, window);
    }
    HWND field = GetDlgItem(window, IDC_SWITCHES_TEXT);

    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    LocaliseButton(GetDlgItem(window, IDOK), user32, OK_STRING_ID);
    LocaliseButton(GetDlgItem(window, IDCANCEL), user32, CANCEL_STRING_ID);

    SendMessageW(field, EM_LIMITTEXT, FIELD_LIMIT, 0);
    const Text16 currentWide = AnsiToWide(current);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(currentWide.c_str()));
    SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);

    SetInputResultBuffer(window, result.data());
    const int exitCode = editor.RunMessageLoop(0);
    // InputWindowProc enables the owner on WM_CLOSE; a window destroyed another way does not.
    EnableWindow(mainWindow, TRUE);
    if (IsWindow(window)) {
        // The loop ended on a quit meant for the main loop while this window was still open.
        // The window must go before its object, which deletes the font its controls use and
        // unregisters its class. Its WM_DESTROY posts a quit of its own, so the main loop's
        // code is posted again after it.
        DestroyWindow(window);
        PostQuitMessage(exitCode);
    }
    return ResultLine(result.data());
}

}  // namespace

Text8 ResultLine(const wchar_t* fieldText) {
    Text8 line = WideToAnsi(fieldText);
    CutToTextLimit(line);
    return line;
}

bool RunEditCommand(HWND mainWindow) {
    // The window order stays as it is for the whole command, the edit window's life included.
    const ModalScope modal;
    const Text8 current = g_iniPath.ReadCompilerValue(CompilerKey::Switches);
    const Text8 line = AskForLine(mainWindow, current);
    if (line.empty()) {
        return false;
    }

    // The read gives at most 259 characters, so a value that fills it may be the cut start of a
    // longer line: written back unchanged, that line would lose its end. Left as it was, such a
    // line is not written at all.
    const bool mayBeCut = current.size() >= static_cast<size_t>(MAX_TEXT_CHARS);
    const bool unchanged = line == current;
    const Text16 wideLine = AnsiToWide(line);
    if (!(mayBeCut && unchanged) && !g_iniPath.WriteSwitchLine(wideLine.c_str())) {
        ShowStandardMessage(TEXT_ERROR2);
    }
    const int last = PresetOptionId(g_presetSlots);
    const int match = MatchPreset(wideLine);
    CheckRadioButton(mainWindow, IDC_PRESET_FIRST, last, match ? PresetOptionId(match) : last);
    return true;
}
