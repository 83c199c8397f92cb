#include "framework/app_window_win.h"

#include <cmath>

#include "framework/scaling.h"
#include "framework/system_info_win.h"
#include "framework/text_rules.h"

namespace {

constexpr float BASE_DPI = 96.0f;
constexpr int MODERN_WINDOWS_VERSION = 600;
constexpr const wchar_t* MODERN_FONT_FACE = L"Segoe UI";
constexpr const wchar_t* CLASSIC_FONT_FACE = L"Tahoma";
constexpr int MODERN_FONT_SIZE = 9;
constexpr int CLASSIC_FONT_SIZE = 8;
constexpr int DEFAULT_FONT_WEIGHT = FW_NORMAL;
constexpr DWORD ALL_COMMON_CONTROL_CLASSES = 0x7FFF;
constexpr const wchar_t* CLASS_NAME_PREFIX = L"FBWindowClass:";
// The class name each object registers: the prefix and a number.
constexpr int REGISTERED_NAME_UNITS = 256;
constexpr int OBJECT_REGISTERED_NAME_UNITS = 260;
constexpr int FACE_NAME_UNITS = 32;
constexpr UINT WINDOW_CLASS_STYLE = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
constexpr int OBJECT_SLOT = 0;

// Process-wide: every object's first registration takes the next number.
int g_classCounter = 0;
wchar_t g_classNameBuffer[REGISTERED_NAME_UNITS] = {};

int ScaleUnlessDefault(int value, float ratio) {
    return value == CW_USEDEFAULT ? value : ScaleValue(value, ratio);
}

}  // namespace

AppWindow::AppWindow() {
    instance_ = GetModuleHandleW(nullptr);
    const bool dpiAware = IsDpiAwareProcess();
    ApplyDpi(dpiAware ? -1.0f : BASE_DPI);
    const bool modern = dpiAware && QueryWindowsVersion() >= MODERN_WINDOWS_VERSION;
    lstrcpynW(defaultFontFace_, modern ? MODERN_FONT_FACE : CLASSIC_FONT_FACE, FACE_NAME_UNITS);
    defaultFontSize_ = modern ? MODERN_FONT_SIZE : CLASSIC_FONT_SIZE;
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ALL_COMMON_CONTROL_CLASSES};
    InitCommonControlsEx(&controls);
}

AppWindow::~AppWindow() {
    if (className_[0]) {
        UnregisterClassW(className_, instance_);
    }
}

void AppWindow::ApplyDpi(float dpi) {
    dpi_ = static_cast<int>(std::nearbyint(dpi));
    if (dpi_ < 0) {
        WindowDc screen(nullptr);
        dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
    }
    // The vertical ratio follows the horizontal DPI as well.
    scaleX_ = static_cast<float>(dpi_) / BASE_DPI;
    scaleY_ = scaleX_;
}

HWND AppWindow::Create(HWND parent,
                       const wchar_t* title,
                       WNDPROC procedure,
                       int x,
                       int y,
                       int width,
                       int height,
                       DWORD style,
                       DWORD exStyle) {
    if (className_[0]) {
        lstrcpynW(g_classNameBuffer, className_, REGISTERED_NAME_UNITS);
    } else {
        const Text16 generated =
            CLASS_NAME_PREFIX + DecimalText(static_cast<unsigned long>(g_classCounter));
        lstrcpynW(g_classNameBuffer, generated.c_str(), REGISTERED_NAME_UNITS);
    }

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = WINDOW_CLASS_STYLE;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = sizeof(AppWindow*);
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = g_classNameBuffer;
    classAtom_ = RegisterClassExW(&windowClass);
    if (!classAtom_) {
        return nullptr;
    }
    ++g_classCounter;

    if (!font_) {
        font_ = MakeFont(defaultFontFace_, defaultFontSize_, DEFAULT_FONT_WEIGHT, 0, 0, 0,
                         DEFAULT_CHARSET);
    }

    window_ = CreateWindowExW(
        exStyle, MAKEINTATOM(classAtom_), title, style, ScaleUnlessDefault(x, scaleX_),
        ScaleUnlessDefault(y, scaleY_), ScaleUnlessDefault(width, scaleX_),
        ScaleUnlessDefault(height, scaleY_), parent, nullptr, instance_, this);
    if (!window_) {
        return nullptr;
    }
    GetClassNameW(window_, className_, OBJECT_REGISTERED_NAME_UNITS);
    if (font_) {
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    // Written only now: during WM_NCCREATE and WM_CREATE the object is reachable through the
    // creation data alone.
    SetWindowLongPtrW(window_, OBJECT_SLOT, reinterpret_cast<LONG_PTR>(this));
    return window_;
}

FontOwner AppWindow::MakeFont(const wchar_t* face,
                              int points,
                              int weight,
                              int italic,
                              int underline,
                              int strikeOut,
                              BYTE charSet) const {
    const int screenY = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY);

    LOGFONTW font = {};
    font.lfHeight = FontHeightForPoints(points, dpi_, screenY);
    font.lfWeight = weight;
    font.lfItalic = static_cast<BYTE>(italic);
    font.lfUnderline = static_cast<BYTE>(underline);
    font.lfStrikeOut = static_cast<BYTE>(strikeOut);
    font.lfCharSet = charSet;
    font.lfOutPrecision = OUT_TT_PRECIS;
    lstrcpynW(font.lfFaceName, face && face[0] ? face : defaultFontFace_, FACE_NAME_UNITS);
    return FontOwner(CreateFontIndirectW(&font));
}

bool AppWindow::ReplaceFont(const wchar_t* face,
                            int points,
                            int weight,
                            int italic,
                            int underline,
                            int strikeOut,
                            BYTE charSet) {
    wchar_t chosenFace[FACE_NAME_UNITS];
    lstrcpynW(chosenFace, face && face[0] ? face : defaultFontFace_, FACE_NAME_UNITS);
    FontOwner font = MakeFont(chosenFace, points, weight, italic, underline, strikeOut, charSet);
    if (!font) {
        return false;
    }
    // The replacement is in place before the old font is deleted.
    font_.reset(font.release());
    lstrcpynW(defaultFontFace_, chosenFace, FACE_NAME_UNITS);
    defaultFontSize_ = points;
    return true;
}

bool AppWindow::MoveScaled(HWND window, int x, int y, int width, int height) const {
    return SetWindowPos(window, nullptr, ScaleValue(x, scaleX_), ScaleValue(y, scaleY_),
                        ScaleValue(width, scaleX_), ScaleValue(height, scaleY_),
                        SWP_NOZORDER) != FALSE;
}
