#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/paths_win.h"
#include "tests/ui/ui_fixture.h"
#include "ui/main_window.h"

namespace {

using uitest::MainWindowHost;

struct Readback {
    int id;
    std::wstring className;
    std::wstring caption;
    RECT rect;  // in the main window's client coordinates
    DWORD style;
};

std::vector<Readback> Children(HWND parent) {
    std::vector<Readback> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Readback r = {};
        r.id = GetDlgCtrlID(child);
        wchar_t text[260] = {};
        GetClassNameW(child, text, 260);
        r.className = text;
        GetWindowTextW(child, text, 260);
        r.caption = text;
        GetWindowRect(child, &r.rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r.rect), 2);
        r.style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        children.push_back(r);
    }
    return children;
}

struct Expected {
    int id;
    const wchar_t* className;
    const wchar_t* caption;
    int x, y, width, height;
    DWORD style;
};

// The window as a user sees it, control by control, in creation (tab) order.
void ExpectControls(HWND main, const std::vector<Expected>& expected) {
    const std::vector<Readback> children = Children(main);
    ASSERT_EQ(expected.size() + 1, children.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        const Readback& r = children[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " id " << e.id);
        EXPECT_EQ(e.id, r.id);
        EXPECT_EQ(0, lstrcmpiW(e.className, r.className.c_str())) << r.className.size();
        EXPECT_EQ(std::wstring(e.caption), r.caption);
        EXPECT_EQ(e.x, r.rect.left);
        EXPECT_EQ(e.y, r.rect.top);
        EXPECT_EQ(e.width, r.rect.right - r.rect.left);
        EXPECT_EQ(e.height, r.rect.bottom - r.rect.top);
        EXPECT_EQ(e.style, r.style) << std::hex << r.style;
    }
    const Readback& status = children.back();
    EXPECT_EQ(IDC_STATUSBAR, status.id);
    EXPECT_EQ(0, lstrcmpiW(L"msctls_statusbar32", status.className.c_str()));
    EXPECT_EQ(L"", status.caption);
    RECT client = {};
    GetClientRect(main, &client);
    EXPECT_EQ(client.bottom, status.rect.bottom);
    EXPECT_EQ(0, status.rect.left);
    EXPECT_EQ(client.right, status.rect.right);
}

constexpr DWORD CHECKBOX = 0x50010D03;
constexpr DWORD FIRST_OPTION = 0x50030D09;
constexpr DWORD OPTION = 0x50010D09;
constexpr DWORD COMMAND = 0x50010C00;
constexpr DWORD GROUP = 0x54020007;

// W, the widest option caption, "No preset used" included, in the font the first option button
// holds, as the option buttons' width shows it.
int MeasuredWidest(HWND main, const std::vector<std::wstring>& presets) {
    const auto font =
        reinterpret_cast<HFONT>(SendDlgItemMessageW(main, IDC_PRESET_FIRST, WM_GETFONT, 0, 0));
    int widest = TextWidth(font, L"No preset used");
    for (const std::wstring& preset : presets) {
        widest = std::max(widest, TextWidth(font, preset.c_str()));
    }
    return widest;
}

TEST(MainWindow, SmallLayoutControls) {
    // The last preset is wider than "No preset used", so W is its width.
    const std::vector<std::wstring> presets = {L"-gen gas", L"-gen gas64",
                                               L"-gen gcc -O 2 -fpu sse"};
    MainWindowHost host(presets, false);
    const int w = MeasuredWidest(host.Main(), presets);
    ASSERT_GT(w, 20);
    const int ow = w + 16;
    const int gw = std::max(w + 26, 115);
    const int t = 50 + 20 * 3;
    ExpectControls(host.Main(),
                   {
                       {1110, L"Button", L"Console", 46, 5, 80, 20, CHECKBOX},
                       {1100, L"Button", L"-exx", 32, 25, 40, 20, CHECKBOX},
                       {1109, L"Button", L"686", 80, 25, 48, 20, CHECKBOX},
                       {1001, L"Button", L"-gen gas", 15, 66, ow, 20, FIRST_OPTION},
                       {1002, L"Button", L"-gen gas64", 15, 86, ow, 20, OPTION},
                       {1003, L"Button", L"-gen gcc -O 2 -fpu sse", 15, 106, ow, 20, OPTION},
                       {1004, L"Button", L"No preset used", 15, 130, ow, 20, OPTION},
                       {1102, L"Button", L"Apply", 10, t + 50, 38, 22, COMMAND},
                       {1103, L"Button", L"Edit", 52, t + 50, 38, 22, COMMAND},
                       {1104, L"Button", L"Clear", 96, t + 50, 38, 22, COMMAND},
                       {1107, L"Button", L"Build Configurations...", 10, t + 80, 124, 22, COMMAND},
                       {1108, L"Button", L"Compiler Setup", 10, t + 110, 124, 22, COMMAND},
                       {1000, L"Button", L"Select switches", 10, 50, gw, 205, GROUP},
                   });
    RECT client = {};
    GetClientRect(host.Main(), &client);
    EXPECT_EQ(gw + 20, client.right);
    EXPECT_EQ(t + 162, client.bottom);
}

TEST(MainWindow, LargeLayoutControls) {
    // Both presets are shorter than "No preset used", so W is that caption's width.
    const std::vector<std::wstring> presets = {L"-gen gas", L"-gen gas64"};
    MainWindowHost host(presets, true);
    const int w = MeasuredWidest(host.Main(), presets);
    const int ow = w + 18;
    const int gw = std::max(w + 28, 150);
    const int t = 58 + 20 * 2;
    ExpectControls(host.Main(),
                   {
                       {1110, L"Button", L"Console", 58, 8, 90, 20, CHECKBOX},
                       {1100, L"Button", L"-exx", 40, 28, 46, 20, CHECKBOX},
                       {1109, L"Button", L"686", 106, 28, 46, 20, CHECKBOX},
                       {1001, L"Button", L"-gen gas", 15, 74, ow, 20, FIRST_OPTION},
                       {1002, L"Button", L"-gen gas64", 15, 94, ow, 20, OPTION},
                       {1003, L"Button", L"No preset used", 15, 118, ow, 20, OPTION},
                       {1102, L"Button", L"Apply", 8, t + 50, 56, 25, COMMAND},
                       {1103, L"Button", L"Edit", 67, t + 50, 56, 25, COMMAND},
                       {1104, L"Button", L"Clear", 126, t + 50, 56, 25, COMMAND},
                       {1107, L"Button", L"Build Configurations...", 10, t + 80, 172, 25, COMMAND},
                       {1108, L"Button", L"Compiler Setup", 10, t + 110, 172, 25, COMMAND},
                       {1000, L"Button", L"Select switches", 10, 50, gw, 213, GROUP},
                   });
    RECT client = {};
    GetClientRect(host.Main(), &client);
    EXPECT_EQ(gw + 20, client.right);
    EXPECT_EQ(t + 166, client.bottom);

    // 12-point Tahoma against 8-point: the large layout's captions measure wider.
    MainWindowHost small(presets, false);
    EXPECT_GT(w, MeasuredWidest(small.Main(), presets));
}

TEST(MainWindow, HiddenTopmostToolWindowCentredWithoutSavedPosition) {
    MainWindowHost host({L"-gen gas", L"-gen gas64"}, false);
    HWND main = host.Main();
    EXPECT_FALSE(IsWindowVisible(main));
    wchar_t title[16] = {};
    GetWindowTextW(main, title, 16);
    EXPECT_STREQ(L"FLG", title);
    // The platform adds WS_CLIPSIBLINGS; no sizing border, no minimise or maximise box.
    const DWORD style = static_cast<DWORD>(GetWindowLongW(main, GWL_STYLE));
    EXPECT_EQ(0x80C80000u, style & 0x80C80000u);
    EXPECT_EQ(0u, style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(main, GWL_EXSTYLE));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);

    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT rect = {};
    GetWindowRect(main, &rect);
    EXPECT_NEAR((work.left + work.right) / 2, (rect.left + rect.right) / 2, 1);
    EXPECT_NEAR((work.top + work.bottom) / 2, (rect.top + rect.bottom) / 2, 1);
}

TEST(MainWindow, SavedPositionAndFlagFilesAtStart) {
    const std::wstring folder = ExecutableFolder().Text();
    struct File {
        const wchar_t* name;
        std::string bytes;
    };
    // Left 26, top -100 (above the primary screen is allowed); only Console.dat among the flags.
    const File files[] = {
        {L"CSposition.dat", std::string("\x1A\x00\x00\x00\x9C\xFF\xFF\xFF", 8)},
        {L"Console.dat", ""},
    };
    // The host clears the program's folder first, so the files are laid in its place and the
    // window built once more on a second object.
    MainWindowHost host({L"-gen gas", L"-gen gas64"}, false);
    DestroyWindow(host.Main());
    const auto write = [&](const File& file) {
        HANDLE h = CreateFileW((folder + L"\\" + file.name).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(h, file.bytes.data(), static_cast<DWORD>(file.bytes.size()), &written, nullptr);
        CloseHandle(h);
    };
    for (const File& file : files)
        write(file);
    AppWindow app;
    BuildMainWindow(app, false);
    RECT rect = {};
    GetWindowRect(g_hwndMain, &rect);
    EXPECT_EQ(26, rect.left);
    EXPECT_EQ(-100, rect.top);
    EXPECT_TRUE(GetWindowLongW(g_hwndMain, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(host.Checked(IDC_CONSOLE));
    EXPECT_FALSE(host.Checked(IDC_EXX));
    EXPECT_FALSE(host.Checked(IDC_ARCH686));
    DestroyWindow(g_hwndMain);

    // Left and top 30000, on no monitor (one since removed): centred as without the file.
    write({L"CSposition.dat", std::string("\x30\x75\x00\x00\x30\x75\x00\x00", 8)});
    AppWindow again;
    BuildMainWindow(again, false);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(g_hwndMain, &rect);
    EXPECT_NEAR((work.left + work.right) / 2, (rect.left + rect.right) / 2, 1);
    DestroyWindow(g_hwndMain);
}

}  // namespace
