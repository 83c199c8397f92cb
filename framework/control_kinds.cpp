#include "framework/control_kinds.h"

#include <cwchar>

namespace {

constexpr DWORD NO_EX = 0;
constexpr DWORD EX_TRANSPARENT = WS_EX_TRANSPARENT;
constexpr DWORD EX_CLIENTEDGE = WS_EX_CLIENTEDGE;
constexpr DWORD EX_CONTROLPARENT = WS_EX_CONTROLPARENT;

constexpr wchar_t IMAGE_ID_PREFIX = L'#';
constexpr unsigned RESOURCE_ID_MASK = 0xFFFF;
// Beyond this a caption number is taken as 0 rather than overflowing the conversion.
constexpr unsigned long long LARGEST_RESOURCE_NUMBER = 1000000000000000ULL;

constexpr bool FONT = true;
constexpr bool NO_FONT = false;

using B = BeforeCreation;
using F = FollowUp;

// Default styles carry WS_CHILD | WS_VISIBLE except in the last row, which takes any other name
// as a window class of its own. Each row: kind names, class, style, extended style, font,
// set-up before and after creation, special styles.
// clang-format off
constexpr ControlKind KINDS[] = {
    {{L"BUTTON"}, nullptr,
     0x50010F00, NO_EX, FONT, B::None, F::None,
     {{BS_FLAT, 0x50018F00}, {BS_DEFPUSHBUTTON, 0x50010F01}, {BS_OWNERDRAW, 0x5001000B}}},
    {{L"CUSTOMBUTTON", L"OWNERDRAWBUTTON"}, L"Button",
     0x5001000B, NO_EX, FONT, B::None, F::None, {}},
    {{L"RADIOBUTTON", L"OPTION"}, L"Button",
     0x50010D09, NO_EX, FONT, B::None, F::None,
     {{WS_GROUP, 0x50030D09}}},
    {{L"CHECKBOX"}, L"Button",
     0x50010D03, NO_EX, FONT, B::None, F::None, {}},
    {{L"CHECK3STATE"}, L"Button",
     0x50010D06, NO_EX, FONT, B::None, F::None, {}},
    {{L"LABEL"}, L"Static",
     0x50020100, NO_EX, FONT, B::None, F::None, {}},
    {{L"BITMAPLABEL"}, L"Static",
     0x5002000E, EX_TRANSPARENT, NO_FONT, B::None, F::BitmapLabelImage, {}},
    {{L"ICONLABEL"}, L"Static",
     0x50020003, EX_TRANSPARENT, NO_FONT, B::None, F::IconLabelImage, {}},
    {{L"BITMAPBUTTON"}, L"Button",
     0x50010080, NO_EX, FONT, B::None, F::BitmapButtonImage, {}},
    {{L"ICONBUTTON"}, L"Button",
     0x50010040, NO_EX, FONT, B::None, F::IconButtonImage, {}},
    {{L"CUSTOMLABEL"}, L"Static",
     0x5002000D, NO_EX, NO_FONT, B::None, F::None, {}},
    {{L"FRAME", L"FRAMEWINDOW"}, L"Static",
     0x54020007, EX_TRANSPARENT, NO_FONT, B::None, F::None, {}},
    {{L"GROUPBOX"}, L"Button",
     0x54020007, EX_TRANSPARENT, FONT, B::None, F::None, {}},
    {{L"LINE"}, L"Static",
     0x50000012, EX_TRANSPARENT, NO_FONT, B::None, F::None, {}},
    {{L"EDIT", L"TEXTBOX"}, L"Edit",
     0x50010080, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"EDITMULTILINE", L"MULTILINETEXTBOX"}, L"Edit",
     0x50211184, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"COMBOBOX"}, nullptr,
     0x50A10302, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"COMBOBOXEX", L"COMBOBOXEX32"}, L"ComboBoxEx32",
     0x50810003, NO_EX, FONT, B::None, F::None, {}},
    {{L"LISTBOX"}, nullptr,
     0x50B10043, EX_CLIENTEDGE, FONT, B::None, F::Replace, {}},
    {{L"PROGRESSBAR", L"MSCTLS_PROGRESS32"}, L"msctls_progress32",
     0x50000000, NO_EX, NO_FONT, B::None, F::ProgressRange, {}},
    {{L"HEADER", L"SYSHEADER32"}, L"SysHeader32",
     0x50000003, NO_EX, FONT, B::None, F::None, {}},
    {{L"TREEVIEW", L"SYSTREEVIEW32"}, L"SysTreeView32",
     0x50810027, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"LISTVIEW", L"SYSLISTVIEW32"}, L"SysListView32",
     0x52010349, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"TOOLBAR", L"TOOLBARWINDOW32"}, L"ToolbarWindow32",
     0x56800901, NO_EX, FONT, B::None, F::ToolbarButtons, {}},
    {{L"REBAR", L"REBARWINDOW32"}, L"ReBarWindow32",
     0x56800640, NO_EX, FONT, B::None, F::None, {}},
    {{L"DATETIMEPICKER", L"SYSDATETIMEPICK32"}, L"SysDateTimePick32",
     0x50010000, NO_EX, FONT, B::None, F::CalendarFont, {}},
    {{L"MONTHCALENDAR", L"MONTHCAL", L"SYSMONTHCAL32"}, L"SysMonthCal32",
     0x50010000, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"IPADDRESS", L"SYSIPADDRESS32"}, L"SysIPAddress32",
     0x50010000, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"HOTKEY", L"MSCTLS_HOTKEY32"}, L"msctls_hotkey32",
     0x50010000, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"ANIMATE", L"ANIMATION", L"SYSANIMATE32"}, L"SysAnimate32",
     0x50000002, NO_EX, FONT, B::None, F::None, {}},
    {{L"SYSLINK"}, nullptr,
     0x50010000, NO_EX, NO_FONT, B::None, F::None, {}},
    {{L"PAGER", L"SYSPAGER"}, L"SysPager",
     0x50010001, NO_EX, NO_FONT, B::None, F::None, {}},
    {{L"TAB", L"TABCONTROL", L"SYSTABCONTROL32"}, L"SysTabControl32",
     0x56030800, EX_CONTROLPARENT, FONT, B::None, F::None, {}},
    {{L"STATUSBAR", L"MSCTLS_STATUSBAR32"}, L"msctls_statusbar32",
     0x56000103, NO_EX, FONT, B::None, F::None, {}},
    {{L"SIZEBAR", L"SIZEBOX", L"SIZEGRIP"}, L"Scrollbar",
     0x50000014, NO_EX, NO_FONT, B::CornerGrip, F::None, {}},
    {{L"HSCROLLBAR"}, L"Scrollbar",
     0x50010000, NO_EX, NO_FONT, B::None, F::ScrollRange, {}},
    {{L"VSCROLLBAR"}, L"Scrollbar",
     0x50010001, NO_EX, NO_FONT, B::None, F::ScrollRange, {}},
    {{L"TRACKBAR", L"MSCTLS_TRACKBAR32"}, L"msctls_trackbar32",
     0x50010101, NO_EX, NO_FONT, B::None, F::TrackRange, {}},
    // A slider is a track bar left with the control's own range.
    {{L"SLIDER"}, L"msctls_trackbar32",
     0x50010101, NO_EX, NO_FONT, B::None, F::None, {}},
    {{L"UPDOWN", L"MSCTLS_UPDOWN32"}, L"msctls_updown32",
     0x50000027, NO_EX, NO_FONT, B::None, F::UpDownRange, {}},
    {{L"RICHEDIT", L"RICHEDIT50W"}, L"RichEdit50W",
     0x503191C4, EX_CLIENTEDGE, FONT, B::LoadRichEdit, F::None, {}},
};

constexpr ControlKind WINDOW_CLASS_KIND =
    {{}, nullptr, WS_CHILD, NO_EX, FONT, B::None, F::None, {}};
// clang-format on

}  // namespace

const ControlKind& FindControlKind(const wchar_t* upperKey) {
    if (!upperKey) {
        return WINDOW_CLASS_KIND;
    }
    for (const ControlKind& kind : KINDS) {
        for (const wchar_t* name : kind.names) {
            if (name && std::wcscmp(name, upperKey) == 0) {
                return kind;
            }
        }
    }
    return WINDOW_CLASS_KIND;
}

DWORD ResolveControlStyle(const ControlKind& kind, DWORD requested) {
    if (requested == DEFAULT_STYLE_REQUEST) {
        return kind.style;
    }
    for (const SpecialStyle& special : kind.specials) {
        if (special.result != 0 && special.requested == requested) {
            return special.result;
        }
    }
    return requested | WS_CHILD;
}

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// A decimal number with an optional sign and fraction, rounded to the nearest integer with
// halves to even; anything after it is ignored, and text that is no number gives 0. Read here
// rather than by the runtime's floating-point parser, which would be the largest part of the
// program.
long long RoundedDecimal(const wchar_t* text) {
    while (*text == L' ' || *text == L'\t') {
        ++text;
    }
    const bool negative = *text == L'-';
    if (*text == L'-' || *text == L'+') {
        ++text;
    }
    unsigned long long whole = 0;
    for (; IsDigit(*text); ++text) {
        whole = whole * 10 + static_cast<unsigned>(*text - L'0');
        if (whole >= LARGEST_RESOURCE_NUMBER) {
            return 0;
        }
    }
    if (*text == L'.' && IsDigit(text[1])) {
        const wchar_t first = text[1];
        bool beyondHalf = false;
        for (const wchar_t* rest = text + 2; IsDigit(*rest); ++rest) {
            beyondHalf = beyondHalf || *rest != L'0';
        }
        if (first > L'5' || (first == L'5' && (beyondHalf || whole % 2 == 1))) {
            ++whole;
        }
    }
    const long long value = static_cast<long long>(whole);
    return negative ? -value : value;
}

}  // namespace

const wchar_t* ImageResourceName(const wchar_t* caption) {
    if (!caption || caption[0] != IMAGE_ID_PREFIX) {
        return caption;
    }
    const unsigned id = static_cast<unsigned>(RoundedDecimal(caption + 1)) & RESOURCE_ID_MASK;
    return MAKEINTRESOURCEW(id);
}

HMODULE KeepRichEditModule(HMODULE recorded, HMODULE loaded) {
    if (!loaded) {
        return recorded;
    }
    if (recorded) {
        FreeLibrary(recorded);
    }
    return loaded;
}
