// Drives real boxes through the export, as the program calls it. A thread timer on the calling
// thread is dispatched by the box's own loop and plays the user.
#include "alertkit/alertkit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "tests/harness/unmanaged_windows.h"

namespace {

using AlertkitCall = int32_t(__stdcall*)(const int32_t*,
                                         const wchar_t*,
                                         const wchar_t*,
                                         const int32_t*,
                                         const int32_t*,
                                         const wchar_t*,
                                         const int32_t*,
                                         const int32_t*,
                                         const int32_t*);

constexpr const wchar_t* LIBRARY_NAME = L"Alertkit.dll";
constexpr const wchar_t* BOX_CLASS = L"#32770";
constexpr UINT DRIVE_INTERVAL_MS = USER_TIMER_MINIMUM;
constexpr int GIVE_UP_TICKS = 300;  // about 3 s: a box the test fails to end is closed
constexpr int32_t BACK_COLOR = 0x0098D3FF;

// Set before main creates any window, so that this process's own boxes are unmanaged too.
const e2e::UnmanagedWineWindows g_unmanagedWineWindows;

AlertkitCall Export() {
    // Through the generic function pointer type, which GCC accepts as a cast target.
    return reinterpret_cast<AlertkitCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(LIBRARY_NAME), "ALERTKIT")));
}

struct Call {
    int32_t owner = 0;
    std::wstring text = L"Message";
    std::wstring caption = L"Alertkit test";
    int32_t style = 0;
    int32_t timeout = 0;
    std::wstring font = L"Tahoma";
    int32_t fontSize = 10;
    int32_t textColor = 0;
    int32_t backColor = BACK_COLOR;
};

// Called on every tick with the visible box and the tick's number; returns true once it has
// done its part, after which the box has to end by itself.
using Driver = std::function<bool(HWND box, int tick)>;

struct Drive {
    Driver driver;
    int tick = 0;
    bool done = false;
    bool gaveUp = false;
};
Drive* g_drive = nullptr;

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, BOX_CLASS) == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND ThreadBox() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

void CALLBACK OnDriveTick(HWND, UINT, UINT_PTR, DWORD) {
    Drive* drive = g_drive;
    HWND box = ThreadBox();
    if (!drive || !box)
        return;
    const int tick = drive->tick++;
    if (tick > GIVE_UP_TICKS) {
        drive->gaveUp = true;
        PostMessageW(box, WM_CLOSE, 0, 0);
    } else if (!drive->done && drive->driver) {
        drive->done = drive->driver(box, tick);
    }
}

struct Shown {
    int32_t result;
    int ticks;
    bool gaveUp;
};

// platformBox: MessageBoxW of the same owner, text and caption instead, as the reference.
Shown ShowBox(const Call& call, Driver driver, bool platformBox = false) {
    Drive drive{std::move(driver)};
    g_drive = &drive;
    const UINT_PTR timer = SetTimer(nullptr, 0, DRIVE_INTERVAL_MS, OnDriveTick);
    const int32_t result =
        platformBox ? MessageBoxW(reinterpret_cast<HWND>(static_cast<INT_PTR>(call.owner)),
                                  call.text.c_str(), call.caption.c_str(), MB_OK)
                    : Export()(&call.owner, call.text.c_str(), call.caption.c_str(), &call.style,
                               &call.timeout, call.font.c_str(), &call.fontSize, &call.textColor,
                               &call.backColor);
    KillTimer(nullptr, timer);
    g_drive = nullptr;
    return {result, drive.tick, drive.gaveUp};
}

int32_t ClickButton(HWND box, int id) {
    SendMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0);
    return 0;
}

Driver Click(int id) {
    return [id](HWND box, int) { return ClickButton(box, id), true; };
}

// The default button owns the focus once the box has handled its first messages.
bool HasFocusOnButton(HWND box, int id) {
    return GetFocus() == GetDlgItem(box, id);
}

std::wstring Text(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

RECT ClientRectOf(HWND box, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(box, id), &rect);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT Units(HWND box, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    MapDialogRect(box, &rect);
    return rect;
}

HWND CreateOwner(int x, int y, int width, int height) {
    return CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, x, y, width,
                           height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int32_t HandleValue(HWND window) {
    return static_cast<int32_t>(reinterpret_cast<UINT_PTR>(window));
}

bool TakeQuit(int* code) {
    MSG message{};
    if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    *code = static_cast<int>(message.wParam);
    return true;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

TEST(AlertkitExport, OnlyAlertkitByNameAndTheImportLibraryBindsIt) {
    HMODULE module = GetModuleHandleW(LIBRARY_NAME);
    ASSERT_NE(nullptr, module);
    EXPECT_EQ(reinterpret_cast<const void*>(&ALERTKIT),
              reinterpret_cast<const void*>(GetProcAddress(module, "ALERTKIT")));

    const BYTE* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    // PE32 in the 32-bit build, PE32+ in the 64-bit one: the data directories sit at other
    // offsets, and the magic says which layout the loader read.
#ifdef _WIN64
    using NtHeaders = IMAGE_NT_HEADERS64;
    const WORD expectedMagic = IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    const WORD expectedMachine = IMAGE_FILE_MACHINE_AMD64;
#else
    using NtHeaders = IMAGE_NT_HEADERS32;
    const WORD expectedMagic = IMAGE_NT_OPTIONAL_HDR32_MAGIC;
    const WORD expectedMachine = IMAGE_FILE_MACHINE_I386;
#endif
    const auto* nt = reinterpret_cast<const NtHeaders*>(base + dos->e_lfanew);
    ASSERT_EQ(expectedMagic, nt->OptionalHeader.Magic);
    EXPECT_EQ(expectedMachine, nt->FileHeader.Machine);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    ASSERT_EQ(1u, exports->NumberOfNames);
    EXPECT_EQ(1u, exports->NumberOfFunctions);
    const DWORD* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    EXPECT_STREQ("ALERTKIT", reinterpret_cast<const char*>(base + names[0]));

    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    std::string info(GetFileVersionInfoSizeW(path, nullptr), '\0');
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), &info[0]));
    wchar_t* product = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(L"FlagsmithII", product);
}

TEST(Alertkit, EveryButtonOfEverySetReturnsItsResult) {
    const struct {
        int32_t style;
        std::wstring captions[3];  // button 1 (rightmost) first
        int32_t results[3];
    } sets[] = {
        {0, {L"OK"}, {1}},
        {1, {L"Cancel", L"OK"}, {2, 1}},
        {2, {L"Ignore", L"Try Again", L"ABORT"}, {5, 4, 3}},
        {3, {L"Cancel", L"No", L"Yes"}, {2, 7, 6}},
        {4, {L"No", L"Yes"}, {7, 6}},
        {5, {L"Cancel", L"Try Again"}, {2, 4}},
        {6, {L"Continue", L"Try Again", L"Cancel"}, {11, 4, 2}},
        {7, {L""}, {0}},
    };
    for (const auto& set : sets) {
        for (int number = 1; number <= 3 && !(number > 1 && set.captions[number - 1].empty());
             ++number) {
            SCOPED_TRACE(testing::Message() << "set " << set.style << ", button " << number);
            Call call;
            call.style = set.style;
            std::wstring shown[3];
            bool present[3] = {};
            const Shown box = ShowBox(call, [&](HWND window, int) {
                for (int n = 1; n <= 3; ++n) {
                    HWND button = GetDlgItem(window, 1000 + n);
                    present[n - 1] = button != nullptr;
                    shown[n - 1] = button ? Text(button) : L"";
                }
                return ClickButton(window, 1000 + number), true;
            });
            EXPECT_FALSE(box.gaveUp);
            EXPECT_EQ(set.results[number - 1], box.result);
            for (int n = 1; n <= 3; ++n) {
                EXPECT_EQ(n == 1 || !set.captions[n - 1].empty(), present[n - 1]) << n;
                EXPECT_EQ(set.captions[n - 1], shown[n - 1]) << n;
            }
        }
    }
}

TEST(Alertkit, DefaultButtonHasFocusAndEnterPressesIt) {
    const struct {
        int32_t style;
        int defaultId;
        int32_t result;
    } cases[] = {{3, 1003, 6},
                 {3 | 0x100, 1002, 7},
                 {4 | 0x200, 1001, 7},
                 {6 | 0x100, 1002, 4},
                 {0x2030 | 0x300, 1001, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        Call call;
        call.style = c.style;
        LONG defaultStyle = 0;
        const Shown box = ShowBox(call, [&](HWND window, int) {
            if (!HasFocusOnButton(window, c.defaultId))
                return false;
            defaultStyle = GetWindowLongW(GetDlgItem(window, c.defaultId), GWL_STYLE);
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
            return true;
        });
        EXPECT_FALSE(box.gaveUp);
        EXPECT_EQ(c.result, box.result);
        EXPECT_EQ(BS_DEFPUSHBUTTON, defaultStyle & BS_TYPEMASK);
    }
}

void PressKey(BYTE key) {
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    keybd_event(key, scan, 0, 0);
    keybd_event(key, scan, KEYEVENTF_KEYUP, 0);
}

// A real key goes to the window that has the focus when it is queued and then through the
// dialog manager's Enter handling, which a posted WM_KEYDOWN to the button skips. A driver
// that hands the box the focus (SetFocus on the box, as one gives a window the keyboard) makes
// the dialog put it on its first button while the default frame stays where it was; Enter then
// goes by the dialog's default identifier.
TEST(Alertkit, RealEnterPressesTheDefaultButtonOfEverySetAtEveryPosition) {
    const struct {
        int32_t set;
        int shown;
        int32_t resultsFromRight[3];
    } sets[] = {
        {0, 1, {1}},    {1, 2, {2, 1}}, {2, 3, {5, 4, 3}},  {3, 3, {2, 7, 6}},
        {4, 2, {7, 6}}, {5, 2, {2, 4}}, {6, 3, {11, 4, 2}}, {7, 1, {0}},
    };
    for (const bool focusGivenToBox : {false, true}) {
        for (const auto& set : sets) {
            for (int32_t position = 0; position <= 3; ++position) {
                const int32_t style = set.set | position << 8;
                SCOPED_TRACE(testing::Message()
                             << "style 0x" << std::hex << style
                             << (focusGivenToBox ? ", focus given to the box" : ""));
                // Counted from the left; a position past the last button means the rightmost.
                const int fromLeft = position < set.shown ? position : set.shown - 1;
                const int defaultNumber = set.shown - fromLeft;
                Call call;
                call.style = style;
                LONG frameStyle = 0;
                const Shown box = ShowBox(call, [&](HWND window, int) {
                    if (!HasFocusOnButton(window, 1000 + defaultNumber))
                        return false;
                    if (focusGivenToBox) {
                        SetForegroundWindow(window);
                        SetFocus(window);
                    }
                    if (GetForegroundWindow() != window)
                        return false;
                    frameStyle =
                        GetWindowLongW(GetDlgItem(window, 1000 + defaultNumber), GWL_STYLE);
                    PressKey(VK_RETURN);
                    return true;
                });
                EXPECT_FALSE(box.gaveUp);
                EXPECT_EQ(set.resultsFromRight[defaultNumber - 1], box.result);
                EXPECT_EQ(BS_DEFPUSHBUTTON, frameStyle & BS_TYPEMASK);
            }
        }
    }
}

TEST(Alertkit, TimeoutEndsWithTheDefaultButton) {
    Call call;
    call.style = 3 | 0x100;
    call.timeout = 1;
    const auto start = std::chrono::steady_clock::now();
    const Shown box = ShowBox(call, nullptr);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(7, box.result);
    EXPECT_GE(elapsed, std::chrono::milliseconds(900));
}

TEST(Alertkit, EscapeAndCancelCommandAreIgnoredButCloseCommandEndsWithZero) {
    Call call;
    call.style = 1;
    bool aliveAfterEscape = false;
    const Shown escaped = ShowBox(call, [&](HWND window, int tick) {
        static int escapeTick = -1;
        if (escapeTick < 0) {
            if (!HasFocusOnButton(window, 1002))
                return false;
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
            SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
            escapeTick = tick;
            return false;
        }
        if (tick < escapeTick + 3)
            return false;
        aliveAfterEscape = IsWindow(window) != FALSE;
        escapeTick = -1;
        return ClickButton(window, 1002), true;
    });
    EXPECT_TRUE(aliveAfterEscape);
    EXPECT_EQ(1, escaped.result);

    const Shown closed = ShowBox(call, [](HWND window, int) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_FALSE(closed.gaveUp);
    EXPECT_EQ(0, closed.result);
}

TEST(Alertkit, CtrlCCopiesTheBoxEvenWhenAnotherWindowHasTheKey) {
    HWND other = CreateOwner(0, 0, 50, 50);
    Call call;
    call.style = 4;
    call.caption = L"Copy me";
    call.text = L"First line\nSecond & line";
    int stage = 0;
    BYTE keys[256] = {};
    const Shown box = ShowBox(call, [&](HWND window, int) {
        if (stage == 0) {
            GetKeyboardState(keys);
            BYTE pressed[256];
            CopyMemory(pressed, keys, sizeof(pressed));
            pressed[VK_CONTROL] = 0x80;
            SetKeyboardState(pressed);
            PostMessageW(other, WM_KEYDOWN, 'C', 0);
            stage = 1;
            return false;
        }
        SetKeyboardState(keys);
        return ClickButton(window, 1002), true;
    });
    DestroyWindow(other);
    EXPECT_EQ(6, box.result);

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring copied = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    const std::wstring rule = L"---------------------------\r\n";
    EXPECT_EQ(rule + L"Copy me\r\n" + rule + L"First line\nSecond & line\r\n" + rule +
                  L"No   Yes   \r\n" + rule,
              copied);
}

TEST(Alertkit, ControlsSitAtTheirDialogUnitPlaces) {
    const struct {
        const char* name;
        int32_t style;
        std::wstring text;
        int width;  // 0: wider than the buttons need, not checked
        int height;
        bool icon;
        int buttons;
    } cases[] = {
        {"one line, icon, one button", 0x30, L"Hi", 76, 92, true, 1},
        {"two lines, no icon, OK/Cancel", 1, L"a\nb", 136, 84, false, 2},
        {"three buttons, short text", 3, L"Hi", 196, 76, false, 3},
        {"two characters each followed by LF", 0, L"a\nb\n", 76, 92, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Call call;
        call.style = c.style;
        call.text = c.text;
        RECT outer{}, expectedOuter{};
        std::vector<std::pair<RECT, RECT>> places;  // actual, expected
        std::wstring shownText;
        const Shown box = ShowBox(call, [&](HWND window, int) {
            GetWindowRect(window, &outer);
            expectedOuter = Units(window, 0, 0, c.width, c.height);
            const int w = c.width, h = c.height;
            places.push_back({ClientRectOf(window, 1005), Units(window, 0, h - 44, w, 44)});
            for (int n = 1; n <= c.buttons; ++n) {
                places.push_back({ClientRectOf(window, 1000 + n),
                                  Units(window, w - 66 - 60 * (n - 1), h - 38, 50, 16)});
            }
            const int textX = c.icon ? 44 : 8;
            places.push_back({ClientRectOf(window, 1004), Units(window, textX, 12, w - 5, h - 60)});
            if (c.icon)
                places.push_back({ClientRectOf(window, 1006), Units(window, 10, 12, 32, 32)});
            EXPECT_EQ(c.icon, GetDlgItem(window, 1006) != nullptr);
            shownText = Text(GetDlgItem(window, 1004));
            return ClickButton(window, 1001), true;
        });
        EXPECT_FALSE(box.gaveUp);
        EXPECT_EQ(expectedOuter.right, outer.right - outer.left);
        EXPECT_EQ(expectedOuter.bottom, outer.bottom - outer.top);
        EXPECT_EQ(c.text, shownText);
        for (size_t i = 0; i < places.size(); ++i) {
            SCOPED_TRACE(i);
            const RECT& actual = places[i].first;
            const RECT& expected = places[i].second;
            EXPECT_EQ(expected.left, actual.left);
            EXPECT_EQ(expected.top, actual.top);
            EXPECT_EQ(expected.right - expected.left, actual.right - actual.left);
            EXPECT_EQ(expected.bottom - expected.top, actual.bottom - actual.top);
        }
    }
}

TEST(Alertkit, FontFaceFallsBackOnlyForUnknownFamilies) {
    const struct {
        std::wstring requested;
        std::wstring used;
    } cases[] = {{L"dEJAVU sANS", L"dEJAVU sANS"},
                 {L"tAHOMA", L"tAHOMA"},
                 {L"No Such Family 123", L"Segoe UI"},
                 {L"", L"Segoe UI"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.requested.c_str());
        Call call;
        call.font = c.requested;
        LOGFONTW font{};
        ShowBox(call, [&](HWND window, int) {
            HFONT used =
                reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, 1004), WM_GETFONT, 0, 0));
            GetObjectW(used, sizeof(font), &font);
            return ClickButton(window, 1001), true;
        });
        EXPECT_EQ(c.used, font.lfFaceName);
    }
}

TEST(Alertkit, IconIsScaledToFourPixelsPerPointOnTheBodyColour) {
    Call call;
    call.style = 0x10;
    call.fontSize = 10;
    COLORREF inside = 0, outside = 0, corner = 0;
    SIZE pictureSize{};
    ShowBox(call, [&](HWND window, int) {
        HBITMAP picture = reinterpret_cast<HBITMAP>(
            SendDlgItemMessageW(window, 1006, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP info{};
        GetObjectW(picture, sizeof(info), &info);
        pictureSize = {info.bmWidth, info.bmHeight};
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, picture);
        inside = GetPixel(dc, 20, 20);
        outside = GetPixel(dc, 41, 20);
        corner = GetPixel(dc, info.bmWidth - 1, info.bmHeight - 1);
        SelectObject(dc, previous);
        DeleteDC(dc);
        return ClickButton(window, 1001), true;
    });
    ASSERT_GT(pictureSize.cx, 41);
    EXPECT_NE(static_cast<COLORREF>(BACK_COLOR), inside);
    EXPECT_EQ(static_cast<COLORREF>(BACK_COLOR), outside);
    EXPECT_EQ(static_cast<COLORREF>(BACK_COLOR), corner);
}

// The box's font size is a 16-bit field of its template, so these sizes give boxes of an
// ordinary size, whose picture area the icon fills.
TEST(Alertkit, HugeFontSizesGiveANormalBoxWithTheIconCutToThePictureArea) {
    for (const int32_t size : {0x10000 + 10, 0x1FFFFFFF, 0x20000000, 0x7FFFFFFF}) {
        SCOPED_TRACE(size);
        Call call;
        call.style = 0x30;
        call.fontSize = size;
        SIZE pictureSize{};
        int iconPixels = 0;  // pixels not of the body colour
        const Shown box = ShowBox(call, [&](HWND window, int) {
            HBITMAP picture = reinterpret_cast<HBITMAP>(
                SendDlgItemMessageW(window, 1006, STM_GETIMAGE, IMAGE_BITMAP, 0));
            BITMAP info{};
            GetObjectW(picture, sizeof(info), &info);
            pictureSize = {info.bmWidth, info.bmHeight};
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ previous = SelectObject(dc, picture);
            for (int y = 0; y < info.bmHeight; ++y) {
                for (int x = 0; x < info.bmWidth; ++x)
                    iconPixels += GetPixel(dc, x, y) != static_cast<COLORREF>(BACK_COLOR);
            }
            SelectObject(dc, previous);
            DeleteDC(dc);
            return ClickButton(window, 1001), true;
        });
        EXPECT_FALSE(box.gaveUp);
        EXPECT_EQ(1, box.result);
        ASSERT_GT(pictureSize.cx, 0);
        EXPECT_GT(iconPixels, 0);
    }
}

TEST(Alertkit, PlacementOverOwnerOrOnTheDesktop) {
    HWND probe = CreateOwner(100, 100, 200, 100);
    const RECT work = WorkAreaOf(probe);
    DestroyWindow(probe);
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const struct {
        const char* name;
        bool hasOwner;
        POINT ownerAt;
        bool rightEdge;  // box's right edge on the work area's right edge
    } cases[] = {
        {"owner near the right edge", true, {work.right - 120, 300}, true},
        {"owner in the middle", true, {400, 300}, false},
        {"minimised owner", true, {-32000, -32000}, false},
        {"no owner", false, {0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND owner = c.hasOwner ? CreateOwner(c.ownerAt.x, c.ownerAt.y, 300, 200) : nullptr;
        RECT ownerRect{};
        if (owner)
            GetWindowRect(owner, &ownerRect);
        Call call;
        call.owner = HandleValue(owner);
        RECT placed{};
        LONG exStyle = 0;
        BOOL ownerEnabled = FALSE;
        ShowBox(call, [&](HWND window, int) {
            GetWindowRect(window, &placed);
            exStyle = GetWindowLongW(window, GWL_EXSTYLE);
            ownerEnabled = owner ? IsWindowEnabled(owner) : TRUE;
            return ClickButton(window, 1001), true;
        });
        EXPECT_TRUE(ownerEnabled);  // not modal
        const bool overOwner = owner && !(ownerRect.left < 0 && ownerRect.top < 0);
        if (c.rightEdge) {
            EXPECT_EQ(work.right, placed.right);
        } else if (overOwner) {
            EXPECT_LE(std::abs(placed.left + placed.right - ownerRect.left - ownerRect.right), 1);
        } else {
            // Centred in dialog units: off by at most a unit's worth of pixels.
            EXPECT_LE(std::abs(placed.left + placed.right - desktop.right), 8);
            EXPECT_LE(std::abs(placed.top + placed.bottom - desktop.bottom), 8);
        }
        if (overOwner) {
            EXPECT_LE(std::abs(placed.top + placed.bottom - ownerRect.top - ownerRect.bottom), 1);
        }
        EXPECT_EQ(overOwner, (exStyle & WS_EX_TOPMOST) != 0);
        if (owner)
            DestroyWindow(owner);
    }
}

TEST(Alertkit, ModalBoxDisablesItsOwnerAndTheOwnerIsAlwaysEnabledAfter) {
    HWND owner = CreateOwner(300, 300, 300, 200);
    Call call;
    call.owner = HandleValue(owner);
    call.style = 0x2030;
    BOOL enabledDuring = TRUE;
    LONG exStyle = 0;
    ShowBox(call, [&](HWND window, int) {
        enabledDuring = IsWindowEnabled(owner);
        exStyle = GetWindowLongW(window, GWL_EXSTYLE);
        return ClickButton(window, 1001), true;
    });
    EXPECT_FALSE(enabledDuring);
    EXPECT_NE(0, exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowEnabled(owner));

    EnableWindow(owner, FALSE);
    call.style = 0;
    ShowBox(call, Click(1001));
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

// However the box ends, its owner has the keyboard again, as after MessageBoxW of the same
// owner, also with another window behind it to take the activation.
TEST(Alertkit, OwnerIsTheForegroundWindowAgainHoweverTheBoxEnds) {
    HWND behind = CreateOwner(40, 40, 200, 100);
    HWND owner = CreateOwner(300, 300, 300, 200);
    const Driver close = [](HWND box, int) { return PostMessageW(box, WM_CLOSE, 0, 0) != FALSE; };
    const struct {
        Driver driver;
        int32_t timeout;
        bool platformBox;
    } ends[] = {
        {Click(IDOK), 0, true}, {Click(1001), 0, false}, {nullptr, 1, false}, {close, 0, false}};
    for (const auto& end : ends) {
        SCOPED_TRACE(&end - ends);
        SetForegroundWindow(owner);
        Call call;
        call.owner = HandleValue(owner);
        call.style = 0x2030;
        call.timeout = end.timeout;
        EXPECT_FALSE(ShowBox(call, end.driver, end.platformBox).gaveUp);
        EXPECT_EQ(owner, GetForegroundWindow());
    }
    DestroyWindow(owner);
    DestroyWindow(behind);
}

TEST(Alertkit, QuitMessageTakenByTheBoxIsPostedAgain) {
    Call call;
    int stage = 0;
    const Shown box = ShowBox(call, [&](HWND window, int) {
        if (stage++ == 0) {
            PostQuitMessage(5);
            return false;
        }
        return ClickButton(window, 1001), true;
    });
    EXPECT_EQ(1, box.result);
    int code = 0;
    ASSERT_TRUE(TakeQuit(&code));
    EXPECT_EQ(5, code);
}

TEST(Alertkit, BoxEndsAtOnceWhenItsOwnerIsDestroyed) {
    HWND owner = CreateOwner(300, 300, 300, 200);
    Call call;
    call.owner = HandleValue(owner);
    call.style = 0x2031;
    int destroyedAtTick = -1;
    const Shown box = ShowBox(call, [&](HWND, int tick) {
        DestroyWindow(owner);
        PostQuitMessage(9);
        destroyedAtTick = tick;
        return true;
    });
    EXPECT_FALSE(box.gaveUp);
    EXPECT_EQ(0, box.result);
    EXPECT_LE(box.ticks, destroyedAtTick + 2);
    EXPECT_EQ(nullptr, ThreadBox());
    int code = 0;
    ASSERT_TRUE(TakeQuit(&code));
    EXPECT_EQ(9, code);
}

TEST(Alertkit, NullPointersAndAForeignOwnerValue) {
    std::wstring caption = L"?", text = L"?";
    const Shown box = [&] {
        Drive drive{[&](HWND window, int) {
            caption = Text(window);
            text = Text(GetDlgItem(window, 1004));
            return ClickButton(window, 1001), true;
        }};
        g_drive = &drive;
        const UINT_PTR timer = SetTimer(nullptr, 0, DRIVE_INTERVAL_MS, OnDriveTick);
        const int32_t result = Export()(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr);
        KillTimer(nullptr, timer);
        g_drive = nullptr;
        return Shown{result, drive.tick, drive.gaveUp};
    }();
    EXPECT_FALSE(box.gaveUp);
    EXPECT_EQ(1, box.result);
    EXPECT_EQ(L"", caption);
    EXPECT_EQ(L"", text);

    Call call;
    call.owner = 0x7FFF0000;  // names no window
    call.style = 0x2000;
    EXPECT_EQ(1, ShowBox(call, Click(1001)).result);
}

// Wine reports no GUI object counts; it hands out the lowest free handle slot instead, so a
// probe object created after many boxes lands far higher only if boxes leaked.
WORD GdiProbe() {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const WORD slot = LOWORD(reinterpret_cast<UINT_PTR>(brush));
    DeleteObject(brush);
    return slot;
}

WORD UserProbe() {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const WORD slot = LOWORD(reinterpret_cast<UINT_PTR>(window));
    DestroyWindow(window);
    return slot;
}

TEST(Alertkit, RepeatedBoxesLeaveNoObjectsBehind) {
    constexpr int WARM_UP_ROUNDS = 10;
    constexpr int ROUNDS = 200;
    Call call;
    call.style = 0x2033;
    call.text = L"Leak\nprobe";
    HWND owner = CreateOwner(300, 300, 300, 200);
    call.owner = HandleValue(owner);
    // The first boxes fill the platform's own caches (fonts, button images).
    for (int i = 0; i < WARM_UP_ROUNDS; ++i)
        ShowBox(call, Click(1001 + i % 3));
    const WORD gdiBefore = GdiProbe();
    const WORD userBefore = UserProbe();
    for (int i = 0; i < ROUNDS; ++i)
        ShowBox(call, Click(1001 + i % 3));
    // Wine's own caches (window DCs, fonts) take and give back a few dozen slots in cycles;
    // one leaked object per box would move the probe by ROUNDS.
    EXPECT_LT(GdiProbe() - gdiBefore, ROUNDS / 4);
    EXPECT_LT(UserProbe() - userBefore, ROUNDS / 4);
    DestroyWindow(owner);
}

}  // namespace
