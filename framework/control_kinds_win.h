#pragma once
#include <windows.h>

#include "framework/control_description.h"

// Set-up a control kind needs right before its window is made.
enum class BeforeCreation { None, CornerGrip, LoadRichEdit };

// Set-up a control kind needs right after its window is made.
enum class FollowUp {
    None,
    Replace,
    CalendarFont,
    ProgressRange,
    TrackRange,
    UpDownRange,
    ScrollRange,
    ToolbarButtons,
    BitmapLabelImage,
    IconLabelImage,
    BitmapButtonImage,
    IconButtonImage,
};

// A requested style that stands for a fixed style of its kind instead of being or-ed with WS_CHILD.
struct SpecialStyle {
    DWORD requested;
    DWORD result;
};

constexpr int MAX_KIND_NAMES = 3;
constexpr int MAX_SPECIAL_STYLES = 3;

struct ControlKind {
    const wchar_t* names[MAX_KIND_NAMES];  // upper case; unused slots null
    const wchar_t* className;              // null: the caller's kind text is the class name
    DWORD style;
    DWORD exStyle;
    bool takesFont;
    BeforeCreation before;
    FollowUp followUp;
    SpecialStyle specials[MAX_SPECIAL_STYLES];  // unused slots {0, 0}
};

// The row for an upper-case kind key; an unlisted key gets the row of plain window classes.
const ControlKind& FindControlKind(const wchar_t* upperKey);
// The style a control of `kind` is made with when the caller asks for `requested`
// (KIND_DEFAULT_STYLE: the kind's own).
DWORD ResolveControlStyle(const ControlKind& kind, DWORD requested);
// The resource name for an image caption: "#number" names an integer resource.
const wchar_t* ImageResourceName(const wchar_t* caption);
// The rich edit module to record after loading the library once more: a successful load
// replaces the recorded reference and releases it, so only one stays counted; a failed load
// keeps it, since the controls already made still need the library.
HMODULE KeepRichEditModule(HMODULE recorded, HMODULE loaded);
