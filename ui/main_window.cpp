#include "ui/main_window.h"

#include <clocale>

#include <algorithm>
#include <vector>

#include "app/ansi_text.h"
#include "app/flag_files.h"
#include "app/messages.h"
#include "app/preset_list.h"
#include "app/settings_file_win.h"
#include "framework/file_paths.h"
#include "framework/handles.h"
#include "framework/window_placement.h"
#include "ui/main_layout.h"
#include "ui/message_box.h"
#include "ui/startup.h"

HWND g_hwndMain = nullptr;
HWND g_hwndStatus = nullptr;

namespace {

// The conversions between 8-bit text and UTF-16 follow the user's code page, and the main
// window object must be made after that is settled: both are static objects of this file,
// constructed in the order of definition.
struct UserLocale {
    UserLocale() { setlocale(LC_ALL, ""); }
};
UserLocale userLocale;
AppWindow mainAppWindow;

constexpr const wchar_t* MAIN_TITLE = L"FLG";
// WS_POPUP | WS_CAPTION | WS_SYSMENU: a title bar with its Close box, no sizing border.
constexpr DWORD MAIN_STYLE = 0x80C80000;
// WS_EX_DLGMODALFRAME | WS_EX_TOPMOST: topmost from the start, before it is shown.
constexpr DWORD MAIN_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr DWORD STATUS_STYLE = WS_CHILD | WS_VISIBLE;
constexpr int MIN_CAPTION_WIDTH = 1;

// W, measured in the font the option buttons will get. A temporary option button would measure
// with the same font on the same screen: making and destroying a control only for that is work
// every start-up would pay for.
int WidestCaption(HFONT font, int presetCount) {
    int widest = MIN_CAPTION_WIDTH;
    for (int i = 0; i < presetCount; ++i) {
        widest = std::max(widest, TextWidth(font, g_presets[i].c_str()));
    }
    return widest;
}

void CheckFlagBox(HWND window, const FlagInfo& flag, bool on) {
    if (on) {
        SendDlgItemMessageW(window, flag.controlId, BM_SETCHECK, BST_CHECKED, 0);
    }
}

// Start-up flag read: the box of each flag whose file exists is checked; the others keep their
// initial unchecked state.
void CheckFlagBoxes(HWND window, const SwitchFlags& flags) {
    CheckFlagBox(window, ConsoleFlag, flags.console);
    CheckFlagBox(window, ExxFlag, flags.exx);
    CheckFlagBox(window, Arch686Flag, flags.arch686);
}

// The window is still hidden. Windows activates no hidden window; Wine would hand it the
// foreground here, and pay for the activation (the input method's start among it) before the
// window can be shown. It is activated when it is shown.
void PlaceMainWindow(const wchar_t* folder) {
    if (ReadPosition(folder)) {
        // The saved pixels exactly, even when they lie outside every screen.
        SetWindowPos(g_hwndMain, HWND_TOPMOST, g_savedLeft, g_savedTop, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        CenterOver(g_hwndMain, nullptr);
        SetWindowPos(g_hwndMain, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

}  // namespace

AppWindow& MainAppWindow() {
    return mainAppWindow;
}

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

void BuildMainWindow() {
    BuildMainWindowIn(mainAppWindow);
}

void BuildMainWindowIn(AppWindow& app) {
    if (!app.Window()) {
        app.Create(nullptr, MAIN_TITLE, MainWindowProc, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                   CW_USEDEFAULT, MAIN_STYLE, MAIN_EX_STYLE);
    }
    g_hwndMain = app.Window();

    const int presetCount = g_presetSlots - 1;
    const int widest = WidestCaption(app.Font(), presetCount);

    const MainLayout layout = ComputeMainLayout(g_largeLayout, widest, presetCount);

    const WideText folder = ExecutableFolder();
    const std::vector<ControlSpec> specs = MainControlSpecs(g_largeLayout, layout, g_presets);
    for (size_t i = 0; i < specs.size(); ++i) {
        if (i == FLAG_BOX_COUNT) {
            CheckFlagBoxes(g_hwndMain, ReadFlagFiles(folder.Text()));
        }
        const ControlSpec& item = specs[i];
        app.CreateControl(item.kind, g_hwndMain, item.id, item.caption, item.x, item.y, item.width,
                          item.height, item.style);
    }

    ResizeClient(g_hwndMain, layout.clientWidth, layout.clientHeight, app.ScaleX(), app.ScaleY());
    PlaceMainWindow(folder.Text());
    g_hwndStatus = CreateStatusWindowW(STATUS_STYLE, L"", g_hwndMain, IDC_STATUSBAR);
}

bool IsChecked(HWND window, int id) {
    return SendDlgItemMessageW(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

SwitchFlags ReadFlagBoxes(HWND window) {
    SwitchFlags flags = {};
    flags.console = IsChecked(window, ConsoleFlag.controlId);
    flags.arch686 = IsChecked(window, Arch686Flag.controlId);
    flags.exx = IsChecked(window, ExxFlag.controlId);
    return flags;
}

void SelectPresetForLine(const std::string& line) {
    const int last = PresetOptionId(g_presetSlots);
    const int match = MatchPreset(AnsiToWide(line));
    if (match) {
        CheckRadioButton(g_hwndMain, IDC_PRESET_FIRST, last, PresetOptionId(match));
        return;
    }
    ShowStandardMessageModal(line.empty() ? TEXT_EMPTY_SWITCHES : TEXT_NO_MATCH);
    CheckRadioButton(g_hwndMain, IDC_PRESET_FIRST, last, last);
}
