#include "alertkit/message_box.h"

#include "alertkit/dialog_template.h"
#include "alertkit/message_box_layout.h"
#include "framework/handles.h"

namespace alertkit {
namespace {

constexpr DWORD BOX_STYLE =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK | DS_CENTER;
constexpr WORD BOX_FONT_WEIGHT = FW_NORMAL;
constexpr DWORD BAND_STYLE = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD ICON_STYLE = WS_CHILD | WS_VISIBLE | SS_BITMAP;
constexpr DWORD TEXT_STYLE = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr const wchar_t* STATIC_CLASS = L"STATIC";
constexpr const wchar_t* BUTTON_CLASS = L"BUTTON";
constexpr COLORREF BAND_COLOR = RGB(240, 240, 240);
constexpr int UNITS_SCALE = 1024;
constexpr UINT_PTR IDT_BOX_TIMEOUT = 1;
constexpr WORD IDM_BOX_COPY = 2000;
constexpr WORD COPY_KEY = 0x43;  // C
constexpr DWORD IDLE_SLEEP_MS = 1;

static_assert(TEMPLATE_SET_FONT == DS_SETFONT, "the template builder's font bit");
static_assert(TIMER_MAXIMUM_MS == USER_TIMER_MAXIMUM, "the longest timeout the timer takes");

struct BoxWindow {
    const BoxRequest* request;
    BrushOwner backBrush;
    BrushOwner bandBrush;
    BitmapOwner picture;
    int endedWith;
};

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

RECT ToPixels(HWND box, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    MapDialogRect(box, &rect);
    return rect;
}

Rect FromRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The owner is enabled before the box goes: a box destroyed while its owner is still disabled
// hands the activation to another program, and the owner's user has lost the keyboard.
void End(HWND box, BoxWindow* state, int buttonNumber) {
    state->endedWith = buttonNumber;
    if (state->request->owner)
        EnableWindow(state->request->owner, TRUE);
    DestroyWindow(box);
}

// The window's text, in a heap buffer of at least `length` + 1 characters.
struct WindowText {
    explicit WindowText(HWND window)
        : length(GetWindowTextLengthW(window)), text(static_cast<size_t>(length) + 1) {
        if (text)
            length = GetWindowTextW(window, text.get(), length + 1);
        else
            length = 0;
    }
    int length;
    HeapArray<wchar_t> text;
};

void CopyToClipboard(HWND box, const BoxWindow& state) {
    const BoxStyle& style = state.request->style;
    const WindowText title(box);
    const WindowText message(GetDlgItem(box, IDC_BOX_TEXT));
    if (!title.text || !message.text)
        return;
    const wchar_t* const* captions = style.captions.data();
    const size_t length = ClipboardText(title.text.get(), message.text.get(), captions,
                                        style.buttonCount, nullptr, 0);

    // The block is filled before the clipboard is opened: a block that cannot be locked is
    // released, never handed over unwritten, and the clipboard then stays as it was.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (length + 1) * sizeof(wchar_t));
    if (!memory)
        return;
    wchar_t* target = static_cast<wchar_t*>(GlobalLock(memory));
    if (!target) {
        GlobalFree(memory);
        return;
    }
    ClipboardText(title.text.get(), message.text.get(), captions, style.buttonCount, target,
                  length);
    target[length] = L'\0';
    GlobalUnlock(memory);

    if (!OpenClipboard(box)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

INT_PTR HandleBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        return FALSE;  // the default button takes the focus once the box runs
    }
    BoxWindow* state = reinterpret_cast<BoxWindow*>(GetWindowLongPtrW(box, DWLP_USER));
    if (!state)
        return FALSE;

    switch (message) {
        case WM_CTLCOLORDLG:
            return reinterpret_cast<INT_PTR>(state->backBrush.get());
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (id == IDC_BOX_BAND) {
                SetTextColor(dc, BAND_COLOR);
                SetBkColor(dc, BAND_COLOR);
                return reinterpret_cast<INT_PTR>(state->bandBrush.get());
            }
            SetTextColor(dc, state->request->textColor);
            SetBkColor(dc, state->request->backColor);
            return reinterpret_cast<INT_PTR>(state->backBrush.get());
        }
        case WM_TIMER:
            if (wParam == IDT_BOX_TIMEOUT)
                End(box, state, state->request->style.defaultButton);
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id >= IDC_BOX_BUTTON1 && id <= IDC_BOX_BUTTON3)
                End(box, state, id - IDC_BOX_BUTTON_BASE);
            else if (id == IDM_BOX_COPY)
                CopyToClipboard(box, *state);
            // Escape arrives as IDCANCEL and is ignored on purpose, also beside a "Cancel" button.
            return TRUE;
        }
        case WM_CLOSE:
            End(box, state, 0);
            return TRUE;
        case WM_DESTROY: {
            // A static of the version 6 controls keeps its own copy of a bitmap with alpha
            // and hands it back here; the box's own bitmap is released by its owner.
            HWND picture = GetDlgItem(box, IDC_BOX_ICON);
            if (picture) {
                HGDIOBJ shown =
                    reinterpret_cast<HGDIOBJ>(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, 0));
                if (shown && shown != state->picture.get())
                    DeleteObject(shown);
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleBoxMessage(box, message, wParam, lParam);
}

HWND CreateBox(const BoxRequest& request, BoxWindow* state) {
    DialogTemplateFields fields{};
    fields.style = BOX_STYLE;
    fields.title = request.caption;
    fields.pointSize = static_cast<WORD>(request.fontSize);
    fields.weight = BOX_FONT_WEIGHT;
    fields.faceName = request.faceName;
    const size_t count = BuildDialogTemplate(fields, nullptr, 0);
    // Zeroed heap memory is DWORD-aligned, as the dialog manager requires.
    HeapArray<uint16_t> words(count);
    if (!words)
        return nullptr;
    BuildDialogTemplate(fields, words.get(), count);
    return CreateDialogIndirectParamW(ThisModule(), reinterpret_cast<LPCDLGTEMPLATEW>(words.get()),
                                      nullptr, BoxProc, reinterpret_cast<LPARAM>(state));
}

void Place(HWND box, HWND owner, BoxSize size) {
    const RECT scale = ToPixels(box, 0, 0, UNITS_SCALE, UNITS_SCALE);
    const RECT outer = ToPixels(box, 0, 0, size.width, size.height);
    RECT ownerRect{};
    if (!owner || !GetWindowRect(owner, &ownerRect) || OwnerIsMinimised(FromRect(ownerRect))) {
        RECT desktop{};
        GetWindowRect(GetDesktopWindow(), &desktop);
        const Point at = CenterOnDesktop(PixelsToUnits(desktop.right, scale.right),
                                         PixelsToUnits(desktop.bottom, scale.bottom), size);
        const RECT atPixels = ToPixels(box, at.x, at.y, 0, 0);
        SetWindowPos(box, nullptr, atPixels.left, atPixels.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    const bool haveWorkArea =
        GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor) != FALSE;
    const Rect workArea = FromRect(monitor.rcWork);
    const Point at = PlaceOverOwner(FromRect(ownerRect), haveWorkArea ? &workArea : nullptr,
                                    outer.right, outer.bottom);
    SetWindowPos(box, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

// The stock icon scaled to 4 x fontSize pixels with its mask, on the body colour, at the
// top-left corner of a bitmap of the picture area's size. The icon is cut down to that size:
// the template's 16-bit font size wraps at 65536 points while the caller's size does not, so
// the area can be small while 4 x fontSize asks for a copy of gigabytes that only fails.
BitmapOwner PaintIconPicture(const BoxRequest& request, HBRUSH backBrush, int width, int height) {
    WindowDc screen(nullptr);
    BitmapOwner picture(CreateCompatibleBitmap(screen.get(), width, height));
    MemoryDcOwner memory(CreateCompatibleDC(screen.get()));
    if (!picture || !memory)
        return picture;
    SelectGuard selected(memory.get(), picture.get());
    const RECT all{0, 0, width, height};
    FillRect(memory.get(), &all, backBrush);
    const int side = IconSidePixels(request.fontSize, width, height);
    if (side > 0) {
        IconOwner scaled(static_cast<HICON>(CopyImage(request.icon, IMAGE_ICON, side, side, 0)));
        if (scaled)
            DrawIconEx(memory.get(), 0, 0, scaled.get(), side, side, 0, nullptr, DI_NORMAL);
    }
    return picture;
}

void Fill(HWND box, const BoxRequest& request, BoxWindow* state, BoxSize size) {
    const bool hasIcon = request.icon != nullptr;
    HINSTANCE module = ThisModule();
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    const BoxControlList controls = BoxControls(size, request.style.shownButtons, hasIcon);
    for (int i = 0; i < controls.count; ++i) {
        const ControlPlace& place = controls.items[i];
        const RECT at = ToPixels(box, place.x, place.y, place.width, place.height);
        const wchar_t* className = STATIC_CLASS;
        const wchar_t* title = L"";
        DWORD style = BAND_STYLE;
        if (place.id >= IDC_BOX_BUTTON1 && place.id <= IDC_BOX_BUTTON3) {
            className = BUTTON_CLASS;
            title = request.style.captions[place.id - IDC_BOX_BUTTON1];
            style = BUTTON_STYLE;
        } else if (place.id == IDC_BOX_ICON) {
            style = ICON_STYLE;
        } else if (place.id == IDC_BOX_TEXT) {
            title = request.text;
            style = TEXT_STYLE;
        }
        HWND control = CreateWindowExW(
            0, className, title, style, at.left, at.top, at.right - at.left, at.bottom - at.top,
            box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), module, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (place.id == IDC_BOX_ICON) {
            state->picture = PaintIconPicture(request, state->backBrush.get(), at.right - at.left,
                                              at.bottom - at.top);
            SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(state->picture.get()));
        }
    }
}

}  // namespace

BoxOutcome RunMessageBox(const BoxRequest& request) {
    BoxOutcome outcome{0, false, 0};
    BoxWindow state{&request, BrushOwner(CreateSolidBrush(request.backColor)),
                    BrushOwner(CreateSolidBrush(BAND_COLOR)), BitmapOwner(), 0};
    ACCEL copyKey{FVIRTKEY | FCONTROL, COPY_KEY, IDM_BOX_COPY};
    AcceleratorOwner accelerators(CreateAcceleratorTableW(&copyKey, 1));

    HWND box = CreateBox(request, &state);
    if (!box)
        return outcome;
    if (request.style.modal) {
        SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (request.owner)
            EnableWindow(request.owner, FALSE);
    }

    const RECT scale = ToPixels(box, 0, 0, UNITS_SCALE, UNITS_SCALE);
    const BoxSize size =
        BoxSizeUnits(PixelsToUnits(request.widestLinePixels, scale.right), request.lineCount,
                     request.icon != nullptr, request.style.buttonCount);
    const RECT outer = ToPixels(box, 0, 0, size.width, size.height);
    SetWindowPos(box, nullptr, 0, 0, outer.right, outer.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Place(box, request.owner, size);
    Fill(box, request, &state, size);

    const int defaultId = IDC_BOX_BUTTON_BASE + request.style.defaultButton;
    HWND defaultButton = GetDlgItem(box, defaultId);
    // WM_NEXTDLGCTL moves the focus and the default frame, but the dialog's default identifier
    // stays IDOK, which the box ignores; Enter goes by that identifier whenever the focus is not
    // on the framed button (Wine's dialog manager puts it on the first button when the box
    // itself is given the focus).
    SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
    PostMessageW(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(defaultButton), TRUE);
    if (const UINT interval = TimeoutIntervalMs(request.timeoutSeconds))
        SetTimer(box, IDT_BOX_TIMEOUT, interval, nullptr);
    ShowWindow(box, SW_SHOW);
    SetForegroundWindow(box);

    // Polling instead of waiting keeps every window of the thread served while the box is up.
    MSG message{};
    while (IsWindow(box)) {
        if (request.owner && !IsWindow(request.owner)) {
            End(box, &state, 0);
            break;
        }
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(IDLE_SLEEP_MS);
            continue;
        }
        if (message.message == WM_QUIT) {
            outcome.quitTaken = true;
            outcome.quitCode = static_cast<int>(message.wParam);
            continue;
        }
        if (TranslateAcceleratorW(box, accelerators.get(), &message))
            continue;
        if (IsDialogMessageW(box, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    outcome.buttonNumber = state.endedWith;
    return outcome;
}

}  // namespace alertkit
