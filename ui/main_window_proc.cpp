#include "app/flag_files_win.h"
#include "app/messages.h"
#include "app/preset_list.h"
#include "app/settings_file_win.h"
#include "app/switch_line.h"
#include "framework/paths_win.h"
#include "framework/placement_win.h"
#include "framework/text16.h"
#include "ui/edit_window.h"
#include "ui/keystrokes.h"
#include "ui/main_layout.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/watch.h"

namespace {

// The Edit command's answer when its result was empty (Cancel, Esc, the close box, an empty
// field).
constexpr LRESULT EDIT_EMPTY_RESULT = -1;

// The preset of the first checked option; "No preset used" is never a candidate. 0: none.
int SelectedPreset(HWND window) {
    for (int slot = 1; slot < g_presetSlots; ++slot) {
        if (IsChecked(window, PresetOptionId(slot))) {
            return slot;
        }
    }
    return 0;
}

// The preset's rule for the 686 flag, on the box and on the flags read from it alike.
void Apply686Rule(HWND window, const Text16& preset, SwitchFlags* flags) {
    switch (Arch686RuleFor(preset)) {
        case Arch686Rule::Check:
            SendDlgItemMessageW(window, FLAGS[ARCH686_FLAG].controlId, BM_SETCHECK, BST_CHECKED, 0);
            flags->on[ARCH686_FLAG] = true;
            break;
        case Arch686Rule::Clear:
            SendDlgItemMessageW(window, FLAGS[ARCH686_FLAG].controlId, BM_SETCHECK, BST_UNCHECKED,
                                0);
            flags->on[ARCH686_FLAG] = false;
            break;
        case Arch686Rule::Keep:
            break;
    }
}

// False when no preset is selected (the window procedure then answers 0). The check boxes are
// read once: the 686 rule, the flag files and the line all follow that one reading.
bool Apply(HWND window) {
    const int slot = SelectedPreset(window);
    if (!slot) {
        ShowStandardMessageModal(TEXT_NO_RADIO);
        return false;
    }
    const Text16& preset = g_presets[static_cast<size_t>(slot) - 1];
    SwitchFlags flags = ReadFlagBoxes(window);
    Apply686Rule(window, preset, &flags);
    UpdateFlagFiles(flags, ExecutableFolder().Text());
    const Text16 line = ComposeSwitchLine(flags, preset);
    if (!g_iniPath.WriteSwitchLine(line.c_str())) {
        ShowStandardMessage(TEXT_ERROR1);
    }
    return true;
}

void Clear(HWND window) {
    // The empty text, not a null value: the key stays and reads back as empty.
    if (!g_iniPath.WriteSwitchLine(L"")) {
        ShowStandardMessage(TEXT_ERROR3);
    }
    SelectOption(window, g_presetSlots);
}

// A minimised window stands at its parking place (about (-32000, -32000) on Windows, an icon's
// place near the bottom of the screen under Wine); what counts is where it comes back to.
void SavePositionIfMoved(HWND window) {
    POINT at = {};
    if (IsIconic(window)) {
        at = RestoredTopLeft(window);
    } else {
        RECT rect = {};
        GetWindowRect(window, &rect);
        at = {rect.left, rect.top};
    }
    g_iniPath.WritePositionIfMoved(at.x, at.y);
}

// True with *result set when the command answers other than by default processing.
bool HandleCommand(HWND window, int id, int notification, LRESULT* result) {
    if (id == IDC_CLEAR) {
        Clear(window);
        return false;
    }
    if (notification != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_APPLY:
            if (!Apply(window)) {
                *result = 0;
                return true;
            }
            return false;
        case IDC_EDIT:
            if (!RunEditCommand(window)) {
                *result = EDIT_EMPTY_RESULT;
                return true;
            }
            return false;
        case IDC_BUILD_CONFIG:
            SendKeysToWinFbe(BUILD_CONFIG_KEYS);
            return false;
        case IDC_COMPILER_SETUP:
            SendKeysToWinFbe(COMPILER_SETUP_KEYS);
            return false;
        default:
            return false;
    }
}

// True with *result set when the message is answered other than by default processing.
bool HandleMessage(HWND window, UINT message, WPARAM wParam, LRESULT* result) {
    switch (message) {
        case WM_CREATE:
            SetTimer(window, IDT_WATCH, WATCH_PERIOD_MS, nullptr);
            return false;
        case WM_TIMER:
            if (wParam == IDT_WATCH && !WatchTick(window)) {
                *result = 0;
                return true;
            }
            return false;
        case WM_COMMAND:
            return HandleCommand(window, LOWORD(wParam), HIWORD(wParam), result);
        case WM_SYSCOMMAND:
            if (LOWORD(wParam) == SC_CLOSE) {
                KillTimer(window, IDT_WATCH);
                SavePositionIfMoved(window);
            }
            return false;
        case WM_CLOSE:
            SavePositionIfMoved(window);
            return false;
        case WM_DESTROY:
            PostQuitMessage(0);
            *result = 0;
            return true;
        default:
            return false;
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleMessage(window, message, wParam, &result)) {
        return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
