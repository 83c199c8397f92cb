#include "framework/control_kinds_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <map>

#include "framework/app_window_win.h"
#include "framework/scaling.h"
#include "tests/framework/host_window.h"

namespace {

// What a control was asked for, seen before its own window procedure adjusts it: combo boxes
// drop WS_VSCROLL and the client edge, list boxes hide an unused WS_HSCROLL, rebars add CCS_TOP,
// and IP address, animation and rich edit controls do not answer WM_GETFONT with the font given.
struct Request {
    DWORD style = 0;
    DWORD exStyle = 0;
    HFONT font = nullptr;
};
std::map<HWND, Request> g_requests;

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        Request& request = g_requests[reinterpret_cast<HWND>(wParam)];
        request.style = static_cast<DWORD>(create->style);
        request.exStyle = create->dwExStyle;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK RecordFont(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SETFONT) {
        g_requests[call->hwnd].font = reinterpret_cast<HFONT>(call->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ControlFactory : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app_.ReplaceFont(L"Tahoma", 10, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET));
        ASSERT_NE(CreateHostWindow(app_), nullptr);
    }
    void TearDown() override {
        StopRecording();
        if (app_.Window()) {
            DestroyWindow(app_.Window());
        }
    }

    HWND Make(const wchar_t* kind,
              DWORD style = KIND_DEFAULT_STYLE,
              const wchar_t* caption = L"text") {
        return app_.CreateControl(kind, nullptr, 100, caption, 10, 10, 120, 30, style);
    }

    void StartRecording() {
        g_requests.clear();
        creationHook_ = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
        fontHook_ = SetWindowsHookExW(WH_CALLWNDPROC, RecordFont, nullptr, GetCurrentThreadId());
    }
    void StopRecording() {
        if (creationHook_) {
            UnhookWindowsHookEx(creationHook_);
            creationHook_ = nullptr;
        }
        if (fontHook_) {
            UnhookWindowsHookEx(fontHook_);
            fontHook_ = nullptr;
        }
    }

    AppWindow app_;
    HHOOK creationHook_ = nullptr;
    HHOOK fontHook_ = nullptr;
};

std::wstring ClassOf(HWND window) {
    wchar_t name[260] = {};
    GetClassNameW(window, name, 260);
    return name;
}

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

DWORD ExStyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
}

}  // namespace

TEST(ControlKinds, StyleResolution) {
    struct Case {
        const wchar_t* key;
        DWORD requested;
        DWORD expected;
    };
    const Case cases[] = {
        {L"BUTTON", KIND_DEFAULT_STYLE, 0x50010F00},
        {L"BUTTON", BS_DEFPUSHBUTTON, 0x50010F01},
        {L"BUTTON", BS_FLAT, 0x50018F00},
        {L"BUTTON", BS_OWNERDRAW, 0x5001000B},
        {L"BUTTON", 0x10010C00, 0x50010C00},
        {L"OPTION", WS_GROUP, 0x50030D09},
        {L"RADIOBUTTON", WS_GROUP, 0x50030D09},
        {L"OPTION", 0x10010D09, 0x50010D09},
        {L"OPTION", BS_DEFPUSHBUTTON, 0x40000001},
        {L"LABEL", WS_GROUP, 0x40020000},
        {L"CHECKBOX", BS_FLAT, 0x40008000},
        {L"NOSUCHKIND", KIND_DEFAULT_STYLE, WS_CHILD},
        {L"NOSUCHKIND", WS_VISIBLE, WS_CHILD | WS_VISIBLE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << std::hex << c.requested);
        EXPECT_EQ(ResolveControlStyle(FindControlKind(c.key), c.requested), c.expected);
    }
}

TEST(ControlKinds, ImageResourceNames) {
    const wchar_t* named = L"LOGO";
    EXPECT_EQ(ImageResourceName(named), named);
    EXPECT_EQ(ImageResourceName(L"#101"), MAKEINTRESOURCEW(101));
    EXPECT_EQ(ImageResourceName(L"#"), MAKEINTRESOURCEW(0));
    EXPECT_EQ(ImageResourceName(L"#101.6"), MAKEINTRESOURCEW(102));
    EXPECT_EQ(ImageResourceName(L"#100.5"), MAKEINTRESOURCEW(100));
    EXPECT_EQ(ImageResourceName(L"#-1"), MAKEINTRESOURCEW(0xFFFF));
    EXPECT_EQ(ImageResourceName(L"#65637"), MAKEINTRESOURCEW(101));
    EXPECT_EQ(ImageResourceName(L"#junk"), MAKEINTRESOURCEW(0));
    EXPECT_EQ(ImageResourceName(nullptr), nullptr);
}

TEST_F(ControlFactory, EveryKindNameGivesItsClassStylesAndFont) {
    struct Case {
        const wchar_t* kind;
        const wchar_t* className;
        DWORD style;
        DWORD exStyle;
        bool font;
    };
    const Case cases[] = {
        {L"Button", L"Button", 0x50010F00, 0, true},
        {L"CustomButton", L"Button", 0x5001000B, 0, true},
        {L"OwnerDrawButton", L"Button", 0x5001000B, 0, true},
        {L"RadioButton", L"Button", 0x50010D09, 0, true},
        {L"Option", L"Button", 0x50010D09, 0, true},
        {L"OPTION", L"Button", 0x50010D09, 0, true},
        {L"option", L"Button", 0x50010D09, 0, true},
        {L"CheckBox", L"Button", 0x50010D03, 0, true},
        {L"Check3State", L"Button", 0x50010D06, 0, true},
        {L"Label", L"Static", 0x50020100, 0, true},
        {L"BitmapLabel", L"Static", 0x5002000E, 0x20, false},
        {L"IconLabel", L"Static", 0x50020003, 0x20, false},
        {L"BitmapButton", L"Button", 0x50010080, 0, true},
        {L"IconButton", L"Button", 0x50010040, 0, true},
        {L"CustomLabel", L"Static", 0x5002000D, 0, false},
        {L"Frame", L"Static", 0x54020007, 0x20, false},
        {L"FrameWindow", L"Static", 0x54020007, 0x20, false},
        {L"GroupBox", L"Button", 0x54020007, 0x20, true},
        {L"Line", L"Static", 0x50000012, 0x20, false},
        {L"Edit", L"Edit", 0x50010080, 0x200, true},
        {L"TextBox", L"Edit", 0x50010080, 0x200, true},
        {L"EditMultiline", L"Edit", 0x50211184, 0x200, true},
        {L"MultilineTextBox", L"Edit", 0x50211184, 0x200, true},
        {L"ComboBox", L"ComboBox", 0x50A10302, 0x200, true},
        {L"ComboBoxEx", L"ComboBoxEx32", 0x50810003, 0, true},
        {L"ComboBoxEx32", L"ComboBoxEx32", 0x50810003, 0, true},
        {L"ListBox", L"ListBox", 0x50B10043, 0x200, true},
        {L"ProgressBar", L"msctls_progress32", 0x50000000, 0, false},
        {L"msctls_progress32", L"msctls_progress32", 0x50000000, 0, false},
        {L"Header", L"SysHeader32", 0x50000003, 0, true},
        {L"SysHeader32", L"SysHeader32", 0x50000003, 0, true},
        {L"TreeView", L"SysTreeView32", 0x50810027, 0x200, true},
        {L"SysTreeView32", L"SysTreeView32", 0x50810027, 0x200, true},
        {L"ListView", L"SysListView32", 0x52010349, 0x200, true},
        {L"SysListView32", L"SysListView32", 0x52010349, 0x200, true},
        {L"Toolbar", L"ToolbarWindow32", 0x56800901, 0, true},
        {L"ToolbarWindow32", L"ToolbarWindow32", 0x56800901, 0, true},
        {L"Rebar", L"ReBarWindow32", 0x56800640, 0, true},
        {L"ReBarWindow32", L"ReBarWindow32", 0x56800640, 0, true},
        {L"DateTimePicker", L"SysDateTimePick32", 0x50010000, 0, true},
        {L"SysDateTimePick32", L"SysDateTimePick32", 0x50010000, 0, true},
        {L"MonthCalendar", L"SysMonthCal32", 0x50010000, 0x200, true},
        {L"MonthCal", L"SysMonthCal32", 0x50010000, 0x200, true},
        {L"SysMonthCal32", L"SysMonthCal32", 0x50010000, 0x200, true},
        {L"IPAddress", L"SysIPAddress32", 0x50010000, 0x200, true},
        {L"SysIPAddress32", L"SysIPAddress32", 0x50010000, 0x200, true},
        {L"HotKey", L"msctls_hotkey32", 0x50010000, 0x200, true},
        {L"msctls_hotkey32", L"msctls_hotkey32", 0x50010000, 0x200, true},
        {L"Animate", L"SysAnimate32", 0x50000002, 0, true},
        {L"Animation", L"SysAnimate32", 0x50000002, 0, true},
        {L"SysAnimate32", L"SysAnimate32", 0x50000002, 0, true},
        {L"SysLink", L"SysLink", 0x50010000, 0, false},
        {L"Pager", L"SysPager", 0x50010001, 0, false},
        {L"SysPager", L"SysPager", 0x50010001, 0, false},
        {L"Tab", L"SysTabControl32", 0x56030800, 0x10000, true},
        {L"TabControl", L"SysTabControl32", 0x56030800, 0x10000, true},
        {L"SysTabControl32", L"SysTabControl32", 0x56030800, 0x10000, true},
        {L"StatusBar", L"msctls_statusbar32", 0x56000103, 0, true},
        {L"msctls_statusbar32", L"msctls_statusbar32", 0x56000103, 0, true},
        {L"SizeBar", L"ScrollBar", 0x50000014, 0, false},
        {L"SizeBox", L"ScrollBar", 0x50000014, 0, false},
        {L"SizeGrip", L"ScrollBar", 0x50000014, 0, false},
        {L"HScrollBar", L"ScrollBar", 0x50010000, 0, false},
        {L"VScrollBar", L"ScrollBar", 0x50010001, 0, false},
        {L"TrackBar", L"msctls_trackbar32", 0x50010101, 0, false},
        {L"msctls_trackbar32", L"msctls_trackbar32", 0x50010101, 0, false},
        {L"Slider", L"msctls_trackbar32", 0x50010101, 0, false},
        {L"UpDown", L"msctls_updown32", 0x50000027, 0, false},
        {L"msctls_updown32", L"msctls_updown32", 0x50000027, 0, false},
        {L"RichEdit", L"RichEdit50W", 0x503191C4, 0x200, true},
        {L"RichEdit50W", L"RichEdit50W", 0x503191C4, 0x200, true},
    };
    StartRecording();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << testing::PrintToString(std::wstring(c.kind)));
        HWND control = Make(c.kind);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(lstrcmpiW(ClassOf(control).c_str(), c.className), 0)
            << testing::PrintToString(ClassOf(control));
        const Request& request = g_requests[control];
        EXPECT_EQ(request.style, c.style) << std::hex << request.style;
        EXPECT_EQ(request.exStyle, c.exStyle) << std::hex << request.exStyle;
        EXPECT_EQ(request.font == app_.Font(), c.font);
        EXPECT_EQ(GetDlgCtrlID(control), 100);
        DestroyWindow(control);
    }
    StopRecording();
}

TEST_F(ControlFactory, KindsOfTheProgramReadBackTheirStyles) {
    struct Case {
        const wchar_t* kind;
        DWORD style;
        DWORD exStyle;
        bool font;
    };
    const Case cases[] = {
        {L"Option", 0x50010D09, 0, true},    {L"Checkbox", 0x50010D03, 0, true},
        {L"Button", 0x50010F00, 0, true},    {L"GroupBox", 0x54020007, 0x20, true},
        {L"Label", 0x50020100, 0, true},     {L"Edit", 0x50010080, 0x200, true},
        {L"StatusBar", 0x56000103, 0, true}, {L"Frame", 0x54020007, 0x20, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.kind)));
        HWND control = Make(c.kind);
        EXPECT_EQ(StyleOf(control), c.style) << std::hex << StyleOf(control);
        EXPECT_EQ(ExStyleOf(control), c.exStyle) << std::hex << ExStyleOf(control);
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        EXPECT_EQ(font == app_.Font(), c.font);
    }
}

TEST_F(ControlFactory, CallerStyleKeepsTheKindsClassExStyleAndFont) {
    HWND edit = Make(L"Edit", 0x10010080);
    EXPECT_EQ(StyleOf(edit), 0x50010080u);
    EXPECT_EQ(ExStyleOf(edit), static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), app_.Font());

    HWND button = Make(L"Button", 0x10010C00);
    EXPECT_EQ(StyleOf(button), 0x50010C00u);
    EXPECT_EQ(StyleOf(Make(L"Button", BS_DEFPUSHBUTTON)), 0x50010F01u);
    EXPECT_EQ(StyleOf(Make(L"Option", WS_GROUP)), 0x50030D09u);
    EXPECT_EQ(StyleOf(Make(L"Label", WS_GROUP)), 0x40020000u);

    HWND label = app_.CreateControl(L"Label", nullptr, -1, L"label", 0, 0, 50, 20);
    EXPECT_EQ(GetDlgCtrlID(label), -1);
}

TEST_F(ControlFactory, UnlistedKindIsAHiddenWindowOfThatClass) {
    WNDCLASSW panelClass = {};
    panelClass.lpfnWndProc = DefWindowProcW;
    panelClass.hInstance = GetModuleHandleW(nullptr);
    panelClass.lpszClassName = L"FrameworkTestPanel";
    ASSERT_NE(RegisterClassW(&panelClass), 0);
    HWND panel = Make(L"frameworkTESTpanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(ClassOf(panel), L"FrameworkTestPanel");
    EXPECT_EQ(StyleOf(panel), static_cast<DWORD>(WS_CHILD));
    EXPECT_FALSE(IsWindowVisible(panel));
    DestroyWindow(panel);
    UnregisterClassW(L"FrameworkTestPanel", GetModuleHandleW(nullptr));

    EXPECT_EQ(Make(L"NoSuchRegisteredClass"), nullptr);
    EXPECT_EQ(Make(L""), nullptr);
    EXPECT_EQ(Make(nullptr), nullptr);
}

TEST_F(ControlFactory, ScalesPlacementAtRatioOneAndAHalf) {
    app_.ApplyDpi(144);
    HWND label = app_.CreateControl(L"Label", nullptr, 1, L"x", 15, 30, 75, 22);
    const RECT rect = ChildRect(label);
    EXPECT_EQ(rect.left, 22);
    EXPECT_EQ(rect.top, 45);
    EXPECT_EQ(rect.right - rect.left, 112);
    EXPECT_EQ(rect.bottom - rect.top, 33);
}

TEST_F(ControlFactory, RangesOfProgressTrackUpDownAndScrollBars) {
    HWND progress = Make(L"ProgressBar");
    PBRANGE range = {};
    SendMessageW(progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    EXPECT_EQ(SendMessageW(progress, PBM_GETPOS, 0, 0), 0);

    HWND track = Make(L"TrackBar");
    EXPECT_EQ(SendMessageW(track, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(track, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(track, TBM_GETPAGESIZE, 0, 0), 10);
    HWND slider = Make(L"Slider");
    EXPECT_NE(SendMessageW(slider, TBM_GETPAGESIZE, 0, 0), 10)
        << "a slider keeps the control's own page size";

    HWND upDown = Make(L"UpDown");
    int low = -1;
    int high = -1;
    SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 100);
    EXPECT_EQ(high, 0);
    EXPECT_EQ(SendMessageW(upDown, UDM_GETBASE, 0, 0), 10);
    const RECT upDownRect = ChildRect(upDown);
    EXPECT_EQ(upDownRect.right - upDownRect.left, 120) << "re-placed at the requested size";
    EXPECT_EQ(upDownRect.bottom - upDownRect.top, 30);

    for (const wchar_t* kind : {L"HScrollBar", L"VScrollBar"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(kind)));
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(Make(kind), SB_CTL, &info));
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, 100);
        EXPECT_EQ(info.nPage, 0u);
        EXPECT_EQ(info.nPos, 0);
    }
}

TEST_F(ControlFactory, DatePickerCalendarGetsTheFont) {
    HWND picker = Make(L"DateTimePicker");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(picker, DTM_GETMCFONT, 0, 0)), app_.Font());
}

TEST_F(ControlFactory, ToolbarButtonsScaleWithTheRatios) {
    HWND plain = Make(L"Toolbar");
    const DWORD plainSize = static_cast<DWORD>(SendMessageW(plain, TB_GETBUTTONSIZE, 0, 0));
    app_.ApplyDpi(144);
    HWND scaled = Make(L"Toolbar");
    const DWORD scaledSize = static_cast<DWORD>(SendMessageW(scaled, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(LOWORD(scaledSize), ScaleValue(LOWORD(plainSize), 1.5f));
    EXPECT_EQ(HIWORD(scaledSize), ScaleValue(HIWORD(plainSize), 1.5f));
}

TEST_F(ControlFactory, SizeGripSitsInTheObjectsCorner) {
    HWND panel = Make(L"Static", WS_VISIBLE);
    HWND grip = app_.CreateControl(L"SizeGrip", panel, 1, L"", 5, 5, 200, 200);
    ASSERT_NE(grip, nullptr);
    RECT client = {};
    GetClientRect(app_.Window(), &client);
    // The size box aligns itself to the bottom-right of the rectangle it was given (Wine widens
    // it by a pixel), so its outer edges are what the placement decides.
    const RECT rect = ChildRect(grip);
    EXPECT_EQ(rect.right, client.right);
    EXPECT_EQ(rect.bottom, client.bottom);
    EXPECT_LE(rect.right - rect.left, GetSystemMetrics(SM_CXVSCROLL) + 1);
}

TEST_F(ControlFactory, RichEditLoadsItsLibrary) {
    ASSERT_EQ(app_.RichEditModule(), nullptr);
    HWND first = Make(L"RichEdit");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(app_.RichEditModule(), nullptr);
    HWND second = Make(L"richedit50w");
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(app_.RichEditModule(), GetModuleHandleW(L"MSFTEDIT.DLL"));
}

// With real module references: a library that nothing else in this process loads.
TEST(RichEditModule, AFailedLoadKeepsTheRecordedReference) {
    constexpr const wchar_t* LIBRARY = L"msimg32.dll";
    ASSERT_EQ(GetModuleHandleW(LIBRARY), nullptr);
    HMODULE recorded = LoadLibraryW(LIBRARY);
    ASSERT_NE(recorded, nullptr);
    EXPECT_EQ(KeepRichEditModule(recorded, nullptr), recorded);
    EXPECT_EQ(GetModuleHandleW(LIBRARY), recorded) << "the controls' reference was released";

    HMODULE again = LoadLibraryW(LIBRARY);
    EXPECT_EQ(KeepRichEditModule(recorded, again), again);
    EXPECT_EQ(GetModuleHandleW(LIBRARY), again) << "one reference stays counted";
    FreeLibrary(again);
    EXPECT_EQ(GetModuleHandleW(LIBRARY), nullptr) << "more than one reference stayed counted";
    EXPECT_EQ(KeepRichEditModule(nullptr, nullptr), nullptr);
}

TEST_F(ControlFactory, ImagesComeFromNumberedResources) {
    struct Case {
        const wchar_t* kind;
        const wchar_t* caption;
        UINT message;
        UINT imageType;
        bool loaded;
    };
    const Case cases[] = {
        {L"BitmapButton", L"#101", BM_GETIMAGE, IMAGE_BITMAP, true},
        {L"BitmapLabel", L"#101", STM_GETIMAGE, IMAGE_BITMAP, true},
        {L"BitmapButton", L"#", BM_GETIMAGE, IMAGE_BITMAP, false},
        {L"BitmapLabel", L"#102", STM_GETIMAGE, IMAGE_BITMAP, false},
        {L"IconLabel", L"NoSuchIcon", STM_GETIMAGE, IMAGE_ICON, false},
        {L"IconButton", L"#101", BM_GETIMAGE, IMAGE_ICON, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.kind) + L" " + c.caption));
        HWND control = Make(c.kind, KIND_DEFAULT_STYLE, c.caption);
        ASSERT_NE(control, nullptr) << "a missing image still gives the control";
        HANDLE image = reinterpret_cast<HANDLE>(SendMessageW(control, c.message, c.imageType, 0));
        EXPECT_EQ(image != nullptr, c.loaded);
        DestroyWindow(control);
        if (image) {
            DeleteObject(image);
        }
    }
}
