#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/app_window_win.h"
#include "framework/scaling.h"
#include "framework/placement_win.h"
#include "framework/window_procs_win.h"
#include "tests/framework/host_window.h"

namespace {

constexpr DWORD CAPTION_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// Windows that a test shows: Wine without a window manager waits two seconds for every shown
// window with a caption, or shown activated, to be withdrawn when it is destroyed.
constexpr DWORD SHOWN_STYLE = WS_POPUP;

RECT WorkArea() {
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

struct InputWindow {
    AppWindow owner;
    AppWindow input;
    HWND ownerWindow = nullptr;
    HWND window = nullptr;
    HWND field = nullptr;

    InputWindow() {
        ownerWindow = CreateHostWindow(owner);
        window =
            input.Create(ownerWindow, L"input", InputWindowProc, 0, 0, 300, 100, SHOWN_STYLE, 0);
        field = input.CreateControl(L"Edit", nullptr, INPUT_TEXT_FIELD_ID, L"", 5, 5, 200, 20);
    }
    ~InputWindow() {
        if (IsWindow(window)) {
            DestroyWindow(window);
        }
        DestroyWindow(ownerWindow);
    }
};

// The highest low word of many fresh handles. Wine gives a new object the slot freed last, so
// one object shows only where the last free fell (under Wine 10 that moves from window to window
// with nothing kept); the highest of many rises with every object kept.
struct HandleProbe {
    WORD gdi = 0;
    WORD user = 0;
};

constexpr int PROBE_OBJECTS = 64;

HandleProbe ProbeHandles() {
    HandleProbe probe;
    HBRUSH brushes[PROBE_OBJECTS];
    HWND windows[PROBE_OBJECTS];
    for (int i = 0; i < PROBE_OBJECTS; ++i) {
        brushes[i] = CreateSolidBrush(RGB(1, 2, 3));
        windows[i] =
            CreateWindowExW(0, L"Static", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        probe.gdi = std::max(probe.gdi, LOWORD(reinterpret_cast<UINT_PTR>(brushes[i])));
        probe.user = std::max(probe.user, LOWORD(reinterpret_cast<UINT_PTR>(windows[i])));
    }
    for (int i = 0; i < PROBE_OBJECTS; ++i) {
        DeleteObject(brushes[i]);
        DestroyWindow(windows[i]);
    }
    return probe;
}

void BuildAndDestroyWindowWithControls() {
    AppWindow app;
    app.ReplaceFont(L"Tahoma", 9, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET);
    HWND window = CreateHostWindow(app);
    // No date picker: Wine's month calendar (8 and 10 alike) makes a bold font from each font it
    // is given and never deletes it: one object per picker, which the framework cannot free.
    for (const wchar_t* kind : {L"Option", L"Checkbox", L"Button", L"GroupBox", L"Label", L"Edit",
                                L"ListBox", L"ComboBox", L"StatusBar", L"ProgressBar", L"TrackBar",
                                L"UpDown", L"RichEdit", L"Toolbar", L"ListView"}) {
        app.CreateControl(kind, nullptr, 100, L"text", 5, 5, 80, 20);
    }
    PumpPending();
    DestroyWindow(window);
    PumpPending();
}

}  // namespace

TEST(CenterOver, CentresOverReferenceAndKeepsInsideWorkArea) {
    const RECT work = WorkArea();
    AppWindow app;
    HWND reference = app.Create(nullptr, L"ref", DefWindowProcW, 200, 200, 400, 300, WS_POPUP, 0);
    AppWindow other;
    HWND window = other.Create(nullptr, L"win", DefWindowProcW, 0, 0, 100, 50, WS_POPUP, 0);
    CenterOver(window, reference);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 350);
    EXPECT_EQ(rect.top, 325);

    SetWindowPos(window, nullptr, 0, 0, work.right - work.left + 300, 50,
                 SWP_NOMOVE | SWP_NOZORDER);
    CenterOver(window, reference);
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, work.left) << "wider than the work area";

    SetWindowPos(window, nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(reference, nullptr, work.right - 50, work.bottom - 20, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    CenterOver(window, reference);
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom);

    CenterOver(window, nullptr);
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, work.left + ((work.right - work.left) - 100) / 2);
    DestroyWindow(window);
    DestroyWindow(reference);
}

TEST(ResizeClient, GivesTheRequestedClientSize) {
    struct Case {
        DWORD style;
        bool menu;
        float ratio;
    };
    const Case cases[] = {
        {CAPTION_STYLE, false, 1.0f},       {CAPTION_STYLE, false, 1.5f},
        {WS_OVERLAPPEDWINDOW, false, 1.0f}, {CAPTION_STYLE | WS_VSCROLL | WS_HSCROLL, false, 1.0f},
        {CAPTION_STYLE, true, 1.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << std::hex << c.style << " menu " << c.menu << " ratio " << c.ratio);
        AppWindow app;
        HWND window = app.Create(nullptr, L"resize", DefWindowProcW, 10, 10, 50, 50, c.style, 0);
        ASSERT_NE(window, nullptr);
        HMENU menu = nullptr;
        if (c.menu) {
            menu = CreateMenu();
            AppendMenuW(menu, MF_STRING, 1, L"&File");
            SetMenu(window, menu);
        }
        EXPECT_TRUE(ResizeClient(window, 215, 101, c.ratio, c.ratio));
        RECT client = {};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, ScaleValue(215, c.ratio));
        EXPECT_EQ(client.bottom, ScaleValue(101, c.ratio));
        DestroyWindow(window);
    }
}

TEST(DefaultFrameProc, CancelAndSystemCloseEndTheLoop) {
    struct Case {
        UINT message;
        WPARAM wParam;
        bool closes;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), true},
        {WM_SYSCOMMAND, SC_CLOSE | 0x2, true},
        {WM_CLOSE, 0, true},
        {WM_COMMAND, MAKEWPARAM(IDCANCEL, 1), false},
        {WM_COMMAND, MAKEWPARAM(IDOK, 0), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.wParam);
        AppWindow app;
        HWND window =
            app.Create(nullptr, L"frame", DefaultFrameProc, 0, 0, 100, 100, SHOWN_STYLE, 0);
        ASSERT_NE(window, nullptr);
        PostMessageW(window, c.message, c.wParam, 0);
        if (!c.closes) {
            // A second message proves the first one left the window alone.
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(app.RunMessageLoop(SW_SHOWNOACTIVATE), 0);
        EXPECT_FALSE(IsWindow(window));
    }
}

TEST(InputWindowProc, OkCopiesAtMostTheLimit) {
    InputWindow box;
    ASSERT_NE(box.field, nullptr);
    EXPECT_FALSE(IsWindowEnabled(box.ownerWindow)) << "the owner is disabled while the input is up";
    std::vector<wchar_t> result(INPUT_TEXT_LIMIT + 8, L'#');
    SetInputResultBuffer(box.window, result.data());
    const std::wstring typed(3000, L'x');
    SetWindowTextW(box.field, typed.c_str());
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_EQ(box.input.RunMessageLoop(SW_SHOWNOACTIVATE), 0);
    EXPECT_FALSE(IsWindow(box.window));
    EXPECT_TRUE(IsWindowEnabled(box.ownerWindow));
    EXPECT_EQ(std::wstring(result.data()), std::wstring(INPUT_TEXT_LIMIT, L'x'));
    EXPECT_EQ(result[INPUT_TEXT_LIMIT + 1], L'#');
}

TEST(InputWindowProc, OkWithShortTextAndCancelAndClose) {
    struct Case {
        UINT message;
        WPARAM wParam;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(IDOK, 0), L"-gen gas"},
        {WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), L"untouched"},
        {WM_CLOSE, 0, L"untouched"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.wParam);
        InputWindow box;
        wchar_t result[INPUT_TEXT_LIMIT + 1] = L"untouched";
        wchar_t stray[INPUT_TEXT_LIMIT + 1] = L"stray";
        SetInputResultBuffer(box.window, result);
        // WM_USER + 1 is also DM_SETDEFID, which the dialog manager or another program may send:
        // no message redirects OK's copy.
        EXPECT_EQ(SendMessageW(box.window, WM_USER + 1, reinterpret_cast<WPARAM>(stray), 0), 0);
        PostMessageW(box.window, WM_USER + 1, reinterpret_cast<WPARAM>(stray), 0);
        SetWindowTextW(box.field, L"-gen gas");
        PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0);  // not a button: ignored
        PostMessageW(box.window, c.message, c.wParam, 0);
        EXPECT_EQ(box.input.RunMessageLoop(SW_SHOWNOACTIVATE), 0);
        EXPECT_FALSE(IsWindow(box.window));
        EXPECT_TRUE(IsWindowEnabled(box.ownerWindow));
        EXPECT_STREQ(result, c.expected);
        EXPECT_STREQ(stray, L"stray");
    }
}

TEST(InputWindowProc, BufferIsForgottenWithItsWindow) {
    wchar_t result[INPUT_TEXT_LIMIT + 1] = L"untouched";
    {
        InputWindow first;
        SetInputResultBuffer(first.window, result);
        PostMessageW(first.window, WM_CLOSE, 0, 0);
        EXPECT_EQ(first.input.RunMessageLoop(SW_SHOWNOACTIVATE), 0);
    }
    // A later input window that was handed no buffer copies nowhere.
    InputWindow second;
    SetWindowTextW(second.field, L"-gen gas");
    PostMessageW(second.window, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_EQ(second.input.RunMessageLoop(SW_SHOWNOACTIVATE), 0);
    EXPECT_FALSE(IsWindow(second.window));
    EXPECT_STREQ(result, L"untouched");
}

TEST(AppWindowResources, NoHandleLeaksOverManyWindows) {
    // The first batch may raise the probe once: the platform keeps what it makes for the first
    // windows (Wine 10 more than Wine 8: a screen-sized bitmap, cursor and icon bitmaps, a font).
    // A second batch as long adds nothing unless something is kept per window.
    HandleProbe batches[2];
    for (HandleProbe& probe : batches) {
        for (int i = 0; i < 100; ++i) {
            BuildAndDestroyWindowWithControls();
        }
        probe = ProbeHandles();
    }
    EXPECT_EQ(batches[1].gdi, batches[0].gdi);
    EXPECT_EQ(batches[1].user, batches[0].user);
}
