#include "framework/control_kinds_win.h"

#include <commctrl.h>
#include <richedit.h>

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

// The kinds' default styles in the platform's names, each pinned to its prescribed value.
constexpr DWORD SHOWN = WS_CHILD | WS_VISIBLE;
constexpr DWORD PUSH_BUTTON = SHOWN | WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_PUSHBUTTON;
static_assert(PUSH_BUTTON == 0x50010F00, "PUSH_BUTTON");
constexpr DWORD FLAT_BUTTON = PUSH_BUTTON | BS_FLAT;
static_assert(FLAT_BUTTON == 0x50018F00, "FLAT_BUTTON");
constexpr DWORD DEFAULT_BUTTON = SHOWN | WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_DEFPUSHBUTTON;
static_assert(DEFAULT_BUTTON == 0x50010F01, "DEFAULT_BUTTON");
constexpr DWORD OWNER_DRAWN_BUTTON = SHOWN | WS_TABSTOP | BS_OWNERDRAW;
static_assert(OWNER_DRAWN_BUTTON == 0x5001000B, "OWNER_DRAWN_BUTTON");
constexpr DWORD OPTION_BUTTON = SHOWN | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTORADIOBUTTON;
static_assert(OPTION_BUTTON == 0x50010D09, "OPTION_BUTTON");
constexpr DWORD FIRST_OPTION_BUTTON = OPTION_BUTTON | WS_GROUP;
static_assert(FIRST_OPTION_BUTTON == 0x50030D09, "FIRST_OPTION_BUTTON");
constexpr DWORD CHECK_BOX = SHOWN | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTOCHECKBOX;
static_assert(CHECK_BOX == 0x50010D03, "CHECK_BOX");
constexpr DWORD THREE_STATE_BOX = SHOWN | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTO3STATE;
static_assert(THREE_STATE_BOX == 0x50010D06, "THREE_STATE_BOX");
constexpr DWORD LABEL = SHOWN | WS_GROUP | SS_NOTIFY | SS_LEFT;
static_assert(LABEL == 0x50020100, "LABEL");
constexpr DWORD BITMAP_LABEL = SHOWN | WS_GROUP | SS_BITMAP;
static_assert(BITMAP_LABEL == 0x5002000E, "BITMAP_LABEL");
constexpr DWORD ICON_LABEL = SHOWN | WS_GROUP | SS_ICON;
static_assert(ICON_LABEL == 0x50020003, "ICON_LABEL");
constexpr DWORD BITMAP_BUTTON = SHOWN | WS_TABSTOP | BS_BITMAP;
static_assert(BITMAP_BUTTON == 0x50010080, "BITMAP_BUTTON");
constexpr DWORD ICON_BUTTON = SHOWN | WS_TABSTOP | BS_ICON;
static_assert(ICON_BUTTON == 0x50010040, "ICON_BUTTON");
constexpr DWORD OWNER_DRAWN_LABEL = SHOWN | WS_GROUP | SS_OWNERDRAW;
static_assert(OWNER_DRAWN_LABEL == 0x5002000D, "OWNER_DRAWN_LABEL");
constexpr DWORD FRAME = SHOWN | WS_CLIPSIBLINGS | WS_GROUP | SS_BLACKFRAME;
static_assert(FRAME == 0x54020007, "FRAME");
constexpr DWORD GROUP_BOX = SHOWN | WS_CLIPSIBLINGS | WS_GROUP | BS_GROUPBOX;
static_assert(GROUP_BOX == 0x54020007, "GROUP_BOX");
constexpr DWORD LINE = SHOWN | SS_ETCHEDFRAME;
static_assert(LINE == 0x50000012, "LINE");
constexpr DWORD EDIT_LINE = SHOWN | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
static_assert(EDIT_LINE == 0x50010080, "EDIT_LINE");
constexpr DWORD EDIT_LINES =
    SHOWN | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
static_assert(EDIT_LINES == 0x50211184, "EDIT_LINES");
constexpr DWORD COMBO_BOX =
    SHOWN | WS_BORDER | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_SORT | CBS_HASSTRINGS;
static_assert(COMBO_BOX == 0x50A10302, "COMBO_BOX");
constexpr DWORD COMBO_BOX_EX = SHOWN | WS_BORDER | WS_TABSTOP | CBS_DROPDOWNLIST;
static_assert(COMBO_BOX_EX == 0x50810003, "COMBO_BOX_EX");
constexpr DWORD LIST_BOX = SHOWN | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                           LBS_SORT | LBS_HASSTRINGS;
static_assert(LIST_BOX == 0x50B10043, "LIST_BOX");
constexpr DWORD PLAIN = SHOWN;
static_assert(PLAIN == 0x50000000, "PLAIN");
constexpr DWORD HEADER = SHOWN | CCS_TOP | HDS_BUTTONS;
static_assert(HEADER == 0x50000003, "HEADER");
constexpr DWORD TREE_VIEW = SHOWN | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                            TVS_LINESATROOT | TVS_SHOWSELALWAYS;
static_assert(TREE_VIEW == 0x50810027, "TREE_VIEW");
constexpr DWORD LIST_VIEW = SHOWN | WS_CLIPCHILDREN | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS |
                            LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | LVS_EDITLABELS;
static_assert(LIST_VIEW == 0x52010349, "LIST_VIEW");
constexpr DWORD TOOL_BAR = SHOWN | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | CCS_TOP |
                           TBSTYLE_TOOLTIPS | TBSTYLE_FLAT;
static_assert(TOOL_BAR == 0x56800901, "TOOL_BAR");
constexpr DWORD REBAR = SHOWN | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | CCS_NODIVIDER |
                        RBS_VARHEIGHT | RBS_BANDBORDERS;
static_assert(REBAR == 0x56800640, "REBAR");
constexpr DWORD TAB_STOP = SHOWN | WS_TABSTOP;
static_assert(TAB_STOP == 0x50010000, "TAB_STOP");
constexpr DWORD ANIMATION = SHOWN | ACS_TRANSPARENT;
static_assert(ANIMATION == 0x50000002, "ANIMATION");
constexpr DWORD PAGER = SHOWN | WS_TABSTOP | PGS_HORZ;
static_assert(PAGER == 0x50010001, "PAGER");
constexpr DWORD TAB_CONTROL =
    SHOWN | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_GROUP | WS_TABSTOP | TCS_RAGGEDRIGHT;
static_assert(TAB_CONTROL == 0x56030800, "TAB_CONTROL");
constexpr DWORD STATUS_BAR =
    SHOWN | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CCS_BOTTOM | SBARS_SIZEGRIP;
static_assert(STATUS_BAR == 0x56000103, "STATUS_BAR");
constexpr DWORD SIZE_GRIP = SHOWN | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN;
static_assert(SIZE_GRIP == 0x50000014, "SIZE_GRIP");
constexpr DWORD HORIZONTAL_SCROLL_BAR = SHOWN | WS_TABSTOP | SBS_HORZ;
static_assert(HORIZONTAL_SCROLL_BAR == 0x50010000, "HORIZONTAL_SCROLL_BAR");
constexpr DWORD VERTICAL_SCROLL_BAR = SHOWN | WS_TABSTOP | SBS_VERT;
static_assert(VERTICAL_SCROLL_BAR == 0x50010001, "VERTICAL_SCROLL_BAR");
constexpr DWORD TRACK_BAR = SHOWN | WS_TABSTOP | TBS_AUTOTICKS | TBS_TOOLTIPS;
static_assert(TRACK_BAR == 0x50010101, "TRACK_BAR");
constexpr DWORD UP_DOWN = SHOWN | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
static_assert(UP_DOWN == 0x50000027, "UP_DOWN");
constexpr DWORD RICH_EDIT = SHOWN | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN |
                            ES_SAVESEL;
static_assert(RICH_EDIT == 0x503191C4, "RICH_EDIT");

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
     PUSH_BUTTON, NO_EX, FONT, B::None, F::None,
     {{BS_FLAT, FLAT_BUTTON}, {BS_DEFPUSHBUTTON, DEFAULT_BUTTON}, {BS_OWNERDRAW, OWNER_DRAWN_BUTTON}}},
    {{L"CUSTOMBUTTON", L"OWNERDRAWBUTTON"}, L"Button",
     OWNER_DRAWN_BUTTON, NO_EX, FONT, B::None, F::None, {}},
    {{L"RADIOBUTTON", L"OPTION"}, L"Button",
     OPTION_BUTTON, NO_EX, FONT, B::None, F::None,
     {{WS_GROUP, FIRST_OPTION_BUTTON}}},
    {{L"CHECKBOX"}, L"Button",
     CHECK_BOX, NO_EX, FONT, B::None, F::None, {}},
    {{L"CHECK3STATE"}, L"Button",
     THREE_STATE_BOX, NO_EX, FONT, B::None, F::None, {}},
    {{L"LABEL"}, L"Static",
     LABEL, NO_EX, FONT, B::None, F::None, {}},
    {{L"BITMAPLABEL"}, L"Static",
     BITMAP_LABEL, EX_TRANSPARENT, NO_FONT, B::None, F::BitmapLabelImage, {}},
    {{L"ICONLABEL"}, L"Static",
     ICON_LABEL, EX_TRANSPARENT, NO_FONT, B::None, F::IconLabelImage, {}},
    {{L"BITMAPBUTTON"}, L"Button",
     BITMAP_BUTTON, NO_EX, FONT, B::None, F::BitmapButtonImage, {}},
    {{L"ICONBUTTON"}, L"Button",
     ICON_BUTTON, NO_EX, FONT, B::None, F::IconButtonImage, {}},
    {{L"CUSTOMLABEL"}, L"Static",
     OWNER_DRAWN_LABEL, NO_EX, NO_FONT, B::None, F::None, {}},
    {{L"FRAME", L"FRAMEWINDOW"}, L"Static",
     FRAME, EX_TRANSPARENT, NO_FONT, B::None, F::None, {}},
    {{L"GROUPBOX"}, L"Button",
     GROUP_BOX, EX_TRANSPARENT, FONT, B::None, F::None, {}},
    {{L"LINE"}, L"Static",
     LINE, EX_TRANSPARENT, NO_FONT, B::None, F::None, {}},
    {{L"EDIT", L"TEXTBOX"}, L"Edit",
     EDIT_LINE, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"EDITMULTILINE", L"MULTILINETEXTBOX"}, L"Edit",
     EDIT_LINES, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"COMBOBOX"}, nullptr,
     COMBO_BOX, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"COMBOBOXEX", L"COMBOBOXEX32"}, L"ComboBoxEx32",
     COMBO_BOX_EX, NO_EX, FONT, B::None, F::None, {}},
    {{L"LISTBOX"}, nullptr,
     LIST_BOX, EX_CLIENTEDGE, FONT, B::None, F::Replace, {}},
    {{L"PROGRESSBAR", L"MSCTLS_PROGRESS32"}, L"msctls_progress32",
     PLAIN, NO_EX, NO_FONT, B::None, F::ProgressRange, {}},
    {{L"HEADER", L"SYSHEADER32"}, L"SysHeader32",
     HEADER, NO_EX, FONT, B::None, F::None, {}},
    {{L"TREEVIEW", L"SYSTREEVIEW32"}, L"SysTreeView32",
     TREE_VIEW, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"LISTVIEW", L"SYSLISTVIEW32"}, L"SysListView32",
     LIST_VIEW, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"TOOLBAR", L"TOOLBARWINDOW32"}, L"ToolbarWindow32",
     TOOL_BAR, NO_EX, FONT, B::None, F::ToolbarButtons, {}},
    {{L"REBAR", L"REBARWINDOW32"}, L"ReBarWindow32",
     REBAR, NO_EX, FONT, B::None, F::None, {}},
    {{L"DATETIMEPICKER", L"SYSDATETIMEPICK32"}, L"SysDateTimePick32",
     TAB_STOP, NO_EX, FONT, B::None, F::CalendarFont, {}},
    {{L"MONTHCALENDAR", L"MONTHCAL", L"SYSMONTHCAL32"}, L"SysMonthCal32",
     TAB_STOP, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"IPADDRESS", L"SYSIPADDRESS32"}, L"SysIPAddress32",
     TAB_STOP, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"HOTKEY", L"MSCTLS_HOTKEY32"}, L"msctls_hotkey32",
     TAB_STOP, EX_CLIENTEDGE, FONT, B::None, F::None, {}},
    {{L"ANIMATE", L"ANIMATION", L"SYSANIMATE32"}, L"SysAnimate32",
     ANIMATION, NO_EX, FONT, B::None, F::None, {}},
    {{L"SYSLINK"}, nullptr,
     TAB_STOP, NO_EX, NO_FONT, B::None, F::None, {}},
    {{L"PAGER", L"SYSPAGER"}, L"SysPager",
     PAGER, NO_EX, NO_FONT, B::None, F::None, {}},
    {{L"TAB", L"TABCONTROL", L"SYSTABCONTROL32"}, L"SysTabControl32",
     TAB_CONTROL, EX_CONTROLPARENT, FONT, B::None, F::None, {}},
    {{L"STATUSBAR", L"MSCTLS_STATUSBAR32"}, L"msctls_statusbar32",
     STATUS_BAR, NO_EX, FONT, B::None, F::None, {}},
    {{L"SIZEBAR", L"SIZEBOX", L"SIZEGRIP"}, L"Scrollbar",
     SIZE_GRIP, NO_EX, NO_FONT, B::CornerGrip, F::None, {}},
    {{L"HSCROLLBAR"}, L"Scrollbar",
     HORIZONTAL_SCROLL_BAR, NO_EX, NO_FONT, B::None, F::ScrollRange, {}},
    {{L"VSCROLLBAR"}, L"Scrollbar",
     VERTICAL_SCROLL_BAR, NO_EX, NO_FONT, B::None, F::ScrollRange, {}},
    {{L"TRACKBAR", L"MSCTLS_TRACKBAR32"}, L"msctls_trackbar32",
     TRACK_BAR, NO_EX, NO_FONT, B::None, F::TrackRange, {}},
    // A slider is a track bar left with the control's own range.
    {{L"SLIDER"}, L"msctls_trackbar32",
     TRACK_BAR, NO_EX, NO_FONT, B::None, F::None, {}},
    {{L"UPDOWN", L"MSCTLS_UPDOWN32"}, L"msctls_updown32",
     UP_DOWN, NO_EX, NO_FONT, B::None, F::UpDownRange, {}},
    {{L"RICHEDIT", L"RICHEDIT50W"}, L"RichEdit50W",
     RICH_EDIT, EX_CLIENTEDGE, FONT, B::LoadRichEdit, F::None, {}},
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
    if (requested == KIND_DEFAULT_STYLE) {
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
