#include "framework/app_window_win.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "framework/scaling.h"
#include "framework/system_info_win.h"
#include "tests/framework/host_window.h"

namespace {

int ClassNumber(const wchar_t* className) {
    const std::wstring prefix = L"FBWindowClass:";
    const std::wstring name = className;
    if (name.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    return std::stoi(name.substr(prefix.size()));
}

struct CreateProbe {
    LONG_PTR slotDuringCreate = -1;
    void* creationData = nullptr;
};
CreateProbe g_createProbe;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        g_createProbe.slotDuringCreate = GetWindowLongPtrW(window, 0);
        g_createProbe.creationData = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TEST(AppWindow, ConstructionFollowsProcessDpiAwareness) {
    AppWindow app;
    EXPECT_EQ(app.Instance(), GetModuleHandleW(nullptr));
    EXPECT_EQ(app.Window(), nullptr);
    EXPECT_EQ(app.Font(), nullptr);
    EXPECT_EQ(app.ClassAtom(), 0);
    EXPECT_STREQ(app.ClassName(), L"");
    if (IsDpiAwareProcess()) {
        HDC screen = GetDC(nullptr);
        const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(app.Dpi(), screenDpi);
    } else {
        EXPECT_EQ(app.Dpi(), 96);
        EXPECT_EQ(app.ScaleX(), 1.0f);
        EXPECT_EQ(app.ScaleY(), 1.0f);
        EXPECT_STREQ(app.DefaultFontFace(), L"Tahoma");
        EXPECT_EQ(app.DefaultFontSize(), 8);
    }
}

TEST(AppWindow, ApplyDpiSetsBothRatiosFromOneValue) {
    AppWindow app;
    app.ApplyDpi(144);
    EXPECT_EQ(app.Dpi(), 144);
    EXPECT_EQ(app.ScaleX(), 1.5f);
    EXPECT_EQ(app.ScaleY(), 1.5f);
    app.ApplyDpi(120.4f);
    EXPECT_EQ(app.Dpi(), 120);
    EXPECT_EQ(app.ScaleX(), 1.25f);

    HDC screen = GetDC(nullptr);
    const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    app.ApplyDpi(-1);
    EXPECT_EQ(app.Dpi(), screenDpi);
}

TEST(AppWindow, ClassesAreNumberedInCreationOrder) {
    AppWindow first;
    AppWindow second;
    HWND firstWindow = CreateHostWindow(first);
    HWND secondWindow = CreateHostWindow(second);
    ASSERT_NE(firstWindow, nullptr);
    ASSERT_NE(secondWindow, nullptr);
    const int number = ClassNumber(first.ClassName());
    EXPECT_GE(number, 0) << first.ClassName();
    EXPECT_EQ(ClassNumber(second.ClassName()), number + 1) << second.ClassName();

    wchar_t registered[260] = {};
    GetClassNameW(firstWindow, registered, 260);
    EXPECT_STREQ(registered, first.ClassName());
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExW(first.Instance(), first.ClassName(), &info));
    // One slot for the object's address: 4 bytes in the 32-bit build, a pointer's size in any.
    EXPECT_EQ(info.cbWndExtra, static_cast<int>(sizeof(void*)));
#ifndef _WIN64
    EXPECT_EQ(info.cbWndExtra, 4);
#endif
    EXPECT_EQ(info.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    DestroyWindow(firstWindow);
    DestroyWindow(secondWindow);
}

TEST(AppWindow, ClassIsUnregisteredWithTheObject) {
    std::wstring name;
    HINSTANCE instance = nullptr;
    {
        AppWindow app;
        HWND window = CreateHostWindow(app);
        ASSERT_NE(window, nullptr);
        name = app.ClassName();
        instance = app.Instance();
        DestroyWindow(window);
    }
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    EXPECT_FALSE(GetClassInfoExW(instance, name.c_str(), &info));
}

TEST(AppWindow, CreateStoresObjectOnlyAfterCreation) {
    AppWindow app;
    g_createProbe = {};
    HWND window = app.Create(nullptr, L"probe", RecordingProc, 0, 0, 100, 100, WS_POPUP, 0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_createProbe.slotDuringCreate, 0);
    EXPECT_EQ(g_createProbe.creationData, &app);
    EXPECT_EQ(GetWindowLongPtrW(window, 0), reinterpret_cast<LONG_PTR>(&app));
    EXPECT_NE(app.Font(), nullptr);
    DestroyWindow(window);
}

TEST(AppWindow, CreateScalesExceptDefaultPositions) {
    AppWindow app;
    app.ApplyDpi(144);
    HWND window = app.Create(nullptr, L"scaled", DefWindowProcW, 15, 30, 75, 22, WS_POPUP, 0);
    ASSERT_NE(window, nullptr);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 22);
    EXPECT_EQ(rect.top, 45);
    EXPECT_EQ(rect.right - rect.left, 112);
    EXPECT_EQ(rect.bottom - rect.top, 33);
    DestroyWindow(window);

    AppWindow plain;
    HWND plainDefault =
        plain.Create(nullptr, L"default", DefWindowProcW, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT, CW_USEDEFAULT, WS_OVERLAPPEDWINDOW, 0);
    AppWindow scaled;
    scaled.ApplyDpi(144);
    HWND scaledDefault =
        scaled.Create(nullptr, L"default", DefWindowProcW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, WS_OVERLAPPEDWINDOW, 0);
    ASSERT_NE(plainDefault, nullptr);
    ASSERT_NE(scaledDefault, nullptr);
    RECT plainRect = {};
    RECT scaledRect = {};
    GetWindowRect(plainDefault, &plainRect);
    GetWindowRect(scaledDefault, &scaledRect);
    EXPECT_EQ(scaledRect.right - scaledRect.left, plainRect.right - plainRect.left);
    EXPECT_EQ(scaledRect.bottom - scaledRect.top, plainRect.bottom - plainRect.top);
    DestroyWindow(plainDefault);
    DestroyWindow(scaledDefault);
}

// The font height arithmetic rounds as the platform's MulDiv does, without calling it: halves
// away from zero on both sides.
TEST(AppWindow, FontHeightRoundsAsMulDiv) {
    const int screens[] = {1, 36, 72, 96, 120, 144};
    const int pointSizes[] = {-37, -8, -2, -1, 0, 1, 2, 7, 8, 9, 10, 11, 12, 72, 1000};
    for (int screenY : screens) {
        for (int points : pointSizes) {
            SCOPED_TRACE(testing::Message() << points << "pt screen " << screenY);
            EXPECT_EQ(FontHeightForPoints(points, 96, screenY),
                      -MulDiv(points * 96 / screenY, screenY, 72));
        }
    }
}

TEST(AppWindow, MakeFontAndReplaceFont) {
    AppWindow app;
    HDC screen = GetDC(nullptr);
    const int screenY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    const FontOwner font = app.MakeFont(L"Arial", 10, FW_BOLD, 1, 0, 1, ANSI_CHARSET);
    ASSERT_TRUE(font);
    LOGFONTW made = {};
    GetObjectW(font.get(), sizeof(made), &made);
    EXPECT_EQ(made.lfHeight, FontHeightForPoints(10, app.Dpi(), screenY));
    EXPECT_EQ(made.lfWeight, FW_BOLD);
    EXPECT_EQ(made.lfItalic, 1);
    EXPECT_EQ(made.lfStrikeOut, 1);
    EXPECT_EQ(made.lfOutPrecision, OUT_TT_PRECIS);
    EXPECT_STREQ(made.lfFaceName, L"Arial");

    const FontOwner defaultFace = app.MakeFont(nullptr, 8, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET);
    GetObjectW(defaultFace.get(), sizeof(made), &made);
    EXPECT_STREQ(made.lfFaceName, app.DefaultFontFace());

    ASSERT_TRUE(app.ReplaceFont(L"Tahoma", 12, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET));
    HFONT first = app.Font();
    EXPECT_EQ(app.DefaultFontSize(), 12);
    ASSERT_TRUE(app.ReplaceFont(L"", 8, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET));
    EXPECT_NE(app.Font(), first);
    EXPECT_STREQ(app.DefaultFontFace(), L"Tahoma");
    EXPECT_EQ(app.DefaultFontSize(), 8);
    LOGFONTW deleted = {};
    EXPECT_EQ(GetObjectW(first, sizeof(deleted), &deleted), 0) << "the replaced font is deleted";

    HWND window = CreateHostWindow(app);
    HWND label = app.CreateControl(L"Label", nullptr, -1, L"x", 0, 0, 50, 20);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), app.Font());
    DestroyWindow(window);
}

TEST(AppWindow, MoveScaledKeepsZOrder) {
    AppWindow app;
    app.ApplyDpi(144);
    HWND window = CreateHostWindow(app);
    // Siblings stack in creation order; moving the lower one must not raise it.
    HWND upper = app.CreateControl(L"Label", nullptr, 1, L"a", 0, 0, 10, 10);
    HWND lower = app.CreateControl(L"Label", nullptr, 2, L"b", 0, 0, 10, 10);
    ASSERT_EQ(GetWindow(upper, GW_HWNDNEXT), lower);
    ASSERT_TRUE(app.MoveScaled(lower, 15, 30, 75, 22));
    const RECT rect = ChildRect(lower);
    EXPECT_EQ(rect.left, 22);
    EXPECT_EQ(rect.top, 45);
    EXPECT_EQ(rect.right - rect.left, 112);
    EXPECT_EQ(rect.bottom - rect.top, 33);
    EXPECT_EQ(GetWindow(upper, GW_HWNDNEXT), lower);
    DestroyWindow(window);
}

TEST(AppWindow, RunMessageLoopWithoutWindowReturnsAtOnce) {
    AppWindow app;
    EXPECT_EQ(app.RunMessageLoop(), 0);
}

TEST(SystemInfo, QueriedVersionIsAtLeastWindows2000) {
    EXPECT_GE(QueryWindowsVersion(), 500);
}
