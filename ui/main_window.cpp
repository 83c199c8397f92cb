#include "ui/main_window.h"

#include <algorithm>

#include "app/ansi_text_win.h"
#include "app/flag_files_win.h"
#include "app/messages.h"
#include "app/preset_list.h"
#include "app/settings_file_win.h"
#include "framework/array.h"
#include "framework/paths_win.h"
#include "framework/handles.h"
#include "framework/placement_win.h"
#include "framework/text16.h"
#include "ui/main_layout.h"
#include "ui/message_box.h"

HWND g_hwndMain = nullptr;
HWND g_hwndStatus = nullptr;

namespace {

constexpr const wchar_t* MAIN_TITLE = L"FLG";
// A title bar with its Close box, no sizing border.
constexpr DWORD MAIN_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU;
static_assert(MAIN_STYLE == 0x80C80000, "the main window's style");
// Topmost from the start, before it is shown.
constexpr DWORD MAIN_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
static_assert(MAIN_EX_STYLE == 0x00000009, "the main window's extended style");
constexpr DWORD STATUS_STYLE = WS_CHILD | WS_VISIBLE;
// The layout's button styles are plain numbers, as the window-free layout names no platform
// value; here they are the platform's.
static_assert(FIRST_OPTION_STYLE ==
                  (WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTORADIOBUTTON),
              "the first preset option starts the group");
static_assert(OPTION_STYLE == (WS_VISIBLE | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTORADIOBUTTON),
              "the other options");
static_assert(COMMAND_STYLE == (WS_VISIBLE | WS_TABSTOP | BS_VCENTER), "the command buttons");
constexpr int MIN_CAPTION_WIDTH = 1;

// W, measured in the font the option buttons will get. A temporary option button would measure
// with the same font on the same screen: making and destroying a control only for that is work
// every start-up would pay for. Every slot counts, "No preset used" too: all options are OW
// wide, and measured from shorter presets alone that caption would be cut off.
int WidestCaption(HFONT font) {
    int widest = MIN_CAPTION_WIDTH;
    for (const Text16& caption : g_presets) {
        widest = std::max(widest, TextWidth(font, caption.c_str()));
    }
    return widest;
}

// Start-up flag read: the box of each flag whose file exists is checked; the others keep their
// initial unchecked state.
void CheckFlagBoxes(HWND window, const SwitchFlags& flags) {
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        if (flags.on[i]) {
            SendDlgItemMessageW(window, FLAGS[i].controlId, BM_SETCHECK, BST_CHECKED, 0);
        }
    }
}

// Whether the window, moved to `left`, `top`, would show on some monitor, if only in part.
bool LiesOnAMonitor(HWND window, int left, int top) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    const RECT placed = {left, top, left + (rect.right - rect.left),
                         top + (rect.bottom - rect.top)};
    return MonitorFromRect(&placed, MONITOR_DEFAULTTONULL) != nullptr;
}

// The window is still hidden. Windows activates no hidden window; Wine would hand it the
// foreground here, and pay for the activation (the input method's start among it) before the
// window can be shown. It is activated when it is shown.
void PlaceMainWindow(const SettingsFile& settings) {
    // A place on no monitor (one that was undocked or removed since) would leave the window
    // where nobody can see or reach it: it is then placed as if nothing had been saved.
    if (settings.ReadPosition() && LiesOnAMonitor(g_hwndMain, g_savedLeft, g_savedTop)) {
        // The saved pixels exactly, partly outside the screens included.
        SetWindowPos(g_hwndMain, HWND_TOPMOST, g_savedLeft, g_savedTop, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        CenterOver(g_hwndMain, nullptr);
        SetWindowPos(g_hwndMain, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

}  // namespace

int TextWidth(HFONT font, const wchar_t* text) {
    const WindowDc screen(nullptr);
    if (!screen) {
        return 0;
    }
    const SelectGuard selected(screen.get(), font);
    SIZE extent = {};
    GetTextExtentPoint32W(screen.get(), text, lstrlenW(text), &extent);
    return extent.cx;
}

void BuildMainWindow(AppWindow& app, bool large) {
    if (!app.Window()) {
        app.Create(nullptr, MAIN_TITLE, MainWindowProc, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                   CW_USEDEFAULT, MAIN_STYLE, MAIN_EX_STYLE);
    }
    g_hwndMain = app.Window();

    const int presetCount = g_presetSlots - 1;
    const int widest = WidestCaption(app.Font());

    const MainLayout layout = ComputeMainLayout(large, widest, presetCount);

    const WideText folder = ExecutableFolder();
    const Array<ControlSpec> specs = MainControlSpecs(large, layout, g_presets);
    for (size_t i = 0; i < specs.size(); ++i) {
        if (i == FLAG_COUNT) {
            CheckFlagBoxes(g_hwndMain, ReadFlagFiles(folder.Text()));
        }
        app.CreateControl(specs[i], g_hwndMain);
    }

    ResizeClient(g_hwndMain, layout.clientWidth, layout.clientHeight, app.ScaleX(), app.ScaleY());
    PlaceMainWindow(g_iniPath);
    g_hwndStatus = CreateStatusWindowW(STATUS_STYLE, L"", g_hwndMain, IDC_STATUSBAR);
}

bool IsChecked(HWND window, int id) {
    return SendDlgItemMessageW(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

SwitchFlags ReadFlagBoxes(HWND window) {
    SwitchFlags flags = {};
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        flags.on[i] = IsChecked(window, FLAGS[i].controlId);
    }
    return flags;
}

void SelectOption(HWND window, int slot) {
    CheckRadioButton(window, IDC_PRESET_FIRST, PresetOptionId(g_presetSlots), PresetOptionId(slot));
}

void SelectPresetForLine(const Text8& line) {
    const int match = MatchPreset(AnsiToWide(line));
    if (match) {
        SelectOption(g_hwndMain, match);
        return;
    }
    ShowStandardMessageModal(line.empty() ? TEXT_EMPTY_SWITCHES : TEXT_NO_MATCH);
    SelectOption(g_hwndMain, g_presetSlots);
}
