#include <cmath>
#include <cwctype>

#include "framework/app_window_win.h"
#include "framework/control_kinds_win.h"
#include "framework/scaling.h"

namespace {

// The kind text as given and the class name it stands for.
constexpr int KIND_NAME_UNITS = 260;
constexpr const wchar_t* RICH_EDIT_LIBRARY = L"MSFTEDIT.DLL";
constexpr DWORD DEFAULT_EX_STYLE_REQUEST = static_cast<DWORD>(-1);
constexpr UINT_PTR NO_SUBCLASS_ID = static_cast<UINT_PTR>(-1);
constexpr int RANGE_LOW = 0;
constexpr int RANGE_HIGH = 100;
constexpr int TRACK_PAGE_SIZE = 10;
constexpr int UPDOWN_BASE = 10;
// The up-down control counts down from 100 to 0: the low limit is 100.
constexpr int UPDOWN_LOW = 100;
constexpr int UPDOWN_HIGH = 0;
constexpr int START_POSITION = 0;

void SetImage(HWND control,
              HINSTANCE instance,
              const wchar_t* caption,
              UINT imageType,
              UINT message) {
    if (!caption) {
        return;
    }
    HANDLE image =
        LoadImageW(instance, ImageResourceName(caption), imageType, 0, 0, LR_DEFAULTCOLOR);
    if (image) {
        SendMessageW(control, message, imageType, reinterpret_cast<LPARAM>(image));
    }
}

}  // namespace

HWND AppWindow::CreateControl(const ControlSpec& control, HWND parent) {
    return CreateControl(control.kind, parent, control.id, control.caption, control.x, control.y,
                         control.width, control.height, control.style);
}

HWND AppWindow::CreateControl(const wchar_t* kind,
                              HWND parent,
                              int id,
                              const wchar_t* caption,
                              int x,
                              int y,
                              int width,
                              int height,
                              DWORD style,
                              DWORD exStyle,
                              void* createData,
                              SUBCLASSPROC subclassProc,
                              UINT_PTR subclassId,
                              DWORD_PTR refData) {
    if (!kind || !kind[0]) {
        return nullptr;
    }
    if (!parent) {
        parent = window_;
    }
    wchar_t className[KIND_NAME_UNITS] = {};
    lstrcpynW(className, kind, KIND_NAME_UNITS);
    wchar_t key[KIND_NAME_UNITS] = {};
    for (int i = 0; className[i]; ++i) {
        key[i] = static_cast<wchar_t>(std::towupper(className[i]));
    }
    const ControlKind& row = FindControlKind(key);
    if (row.className) {
        lstrcpynW(className, row.className, KIND_NAME_UNITS);
    }
    const DWORD finalStyle = ResolveControlStyle(row, style);
    const DWORD finalExStyle = exStyle == DEFAULT_EX_STYLE_REQUEST ? row.exStyle : exStyle;

    switch (row.before) {
        case BeforeCreation::CornerGrip: {
            // The grip sits in the bottom-right corner of the object's own window, whatever the
            // parent argument says.
            width = GetSystemMetrics(SM_CXVSCROLL);
            height = GetSystemMetrics(SM_CYHSCROLL);
            RECT client = {};
            GetClientRect(window_, &client);
            x = static_cast<int>(std::nearbyint(client.right / static_cast<double>(scaleX_))) -
                width;
            y = static_cast<int>(std::nearbyint(client.bottom / static_cast<double>(scaleY_))) -
                height;
            break;
        }
        case BeforeCreation::LoadRichEdit:
            richEditModule_.reset(
                KeepRichEditModule(richEditModule_.release(), LoadLibraryW(RICH_EDIT_LIBRARY)));
            break;
        case BeforeCreation::None:
            break;
    }

    HWND control = CreateWindowExW(
        finalExStyle, className, caption, finalStyle, ScaleValue(x, scaleX_),
        ScaleValue(y, scaleY_), ScaleValue(width, scaleX_), ScaleValue(height, scaleY_), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, createData);
    if (!control) {
        return nullptr;
    }
    if (font_ && row.takesFont) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }

    switch (row.followUp) {
        case FollowUp::Replace:
            MoveScaled(control, x, y, width, height);
            break;
        case FollowUp::CalendarFont:
            if (font_) {
                SendMessageW(control, DTM_SETMCFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
            }
            break;
        case FollowUp::ProgressRange:
            SendMessageW(control, PBM_SETRANGE32, RANGE_LOW, RANGE_HIGH);
            SendMessageW(control, PBM_SETPOS, START_POSITION, 0);
            break;
        case FollowUp::TrackRange:
            SendMessageW(control, TBM_SETRANGEMIN, TRUE, RANGE_LOW);
            SendMessageW(control, TBM_SETRANGEMAX, TRUE, RANGE_HIGH);
            SendMessageW(control, TBM_SETPAGESIZE, 0, TRACK_PAGE_SIZE);
            break;
        case FollowUp::UpDownRange:
            SendMessageW(control, UDM_SETBASE, UPDOWN_BASE, 0);
            SendMessageW(control, UDM_SETRANGE32, static_cast<WPARAM>(UPDOWN_LOW), UPDOWN_HIGH);
            SendMessageW(control, UDM_SETPOS32, 0, START_POSITION);
            MoveScaled(control, x, y, width, height);
            break;
        case FollowUp::ScrollRange: {
            SCROLLINFO range = {};
            range.cbSize = sizeof(range);
            range.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            range.nMin = RANGE_LOW;
            range.nMax = RANGE_HIGH;
            SetScrollInfo(control, SB_CTL, &range, TRUE);
            break;
        }
        case FollowUp::ToolbarButtons: {
            const DWORD size = static_cast<DWORD>(SendMessageW(control, TB_GETBUTTONSIZE, 0, 0));
            const int buttonWidth = static_cast<int>(std::nearbyint(LOWORD(size) * scaleX_));
            const int buttonHeight = static_cast<int>(std::nearbyint(HIWORD(size) * scaleY_));
            SendMessageW(control, TB_SETBUTTONSIZE, 0,
                         MAKELPARAM(buttonWidth & 0xFFFF, buttonHeight));
            SendMessageW(control, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
            break;
        }
        case FollowUp::BitmapLabelImage:
            SetImage(control, instance_, caption, IMAGE_BITMAP, STM_SETIMAGE);
            break;
        case FollowUp::IconLabelImage:
            SetImage(control, instance_, caption, IMAGE_ICON, STM_SETIMAGE);
            break;
        case FollowUp::BitmapButtonImage:
            SetImage(control, instance_, caption, IMAGE_BITMAP, BM_SETIMAGE);
            break;
        case FollowUp::IconButtonImage:
            SetImage(control, instance_, caption, IMAGE_ICON, BM_SETIMAGE);
            break;
        case FollowUp::None:
            break;
    }

    if (subclassProc && subclassId != NO_SUBCLASS_ID) {
        SetWindowSubclass(control, subclassProc, subclassId, refData);
    }
    return control;
}
