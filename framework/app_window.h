#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/wide_text.h"

// The text-input window's edit field and the most UTF-16 code units OK copies from it.
constexpr int INPUT_TEXT_FIELD_ID = 101;
constexpr int INPUT_TEXT_LIMIT = 2048;

// v x ratio in single precision, nearest integer, halves to even.
int ScaleValue(int value, float ratio);

// One top-level window: its class, its font and the screen's DPI ratios.
class AppWindow {
public:
    AppWindow();
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    void ApplyDpi(float dpi);
    HWND Create(HWND parent, const wchar_t* title, WNDPROC procedure, int x, int y, int width,
                int height, DWORD style, DWORD exStyle);
    HWND CreateControl(const wchar_t* kind, HWND parent, int id, const wchar_t* caption, int x,
                       int y, int width, int height, DWORD style = static_cast<DWORD>(-1),
                       DWORD exStyle = static_cast<DWORD>(-1), void* createData = nullptr,
                       SUBCLASSPROC subclassProc = nullptr,
                       UINT_PTR subclassId = static_cast<UINT_PTR>(-1), DWORD_PTR refData = 0);
    HFONT MakeFont(const wchar_t* face, int points, int weight, int italic, int underline,
                   int strikeOut, BYTE charSet) const;
    bool ReplaceFont(const wchar_t* face, int points, int weight, int italic, int underline,
                     int strikeOut, BYTE charSet);
    bool MoveScaled(HWND window, int x, int y, int width, int height) const;
    // Shows the window and pumps the thread's messages until the quit message; returns its
    // exit code. A quit that belongs to an enclosing loop is posted again (see the .cpp).
    int RunMessageLoop(int show = 0);

    HWND Window() const { return window_; }
    HINSTANCE Instance() const { return instance_; }
    HFONT Font() const { return font_; }
    HACCEL Accelerators() const { return accelerators_; }
    int Dpi() const { return dpi_; }
    float ScaleX() const { return scaleX_; }
    float ScaleY() const { return scaleY_; }
    ATOM ClassAtom() const { return classAtom_; }
    const wchar_t* ClassName() const { return className_; }
    int DefaultFontSize() const { return defaultFontSize_; }
    const wchar_t* DefaultFontFace() const { return defaultFontFace_; }
    HMODULE RichEditModule() const { return richEditModule_; }

private:
    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    HFONT font_ = nullptr;
    HACCEL accelerators_ = nullptr;
    int dpi_ = 96;
    float scaleX_ = 1.0f;
    float scaleY_ = 1.0f;
    ATOM classAtom_ = 0;
    wchar_t className_[260] = {};
    int defaultFontSize_ = 8;
    wchar_t defaultFontFace_[32] = {};
    HMODULE richEditModule_ = nullptr;
};

int QueryWindowsVersion();
bool IsDpiAwareProcess();
bool IsExistingFile(const wchar_t* path);
WideText ExecutableBaseName();
WideText ExecutableFolder();
// The path rules of the two functions above, for any module path.
WideText BaseNameOfPath(const wchar_t* modulePath);
WideText FolderOfPath(const wchar_t* modulePath);
BOOL ResizeClient(HWND window, int width, int height, float scaleX, float scaleY);
void CenterOver(HWND window, HWND reference);
// Top-left corner, in screen coordinates, of the place the window has when it is neither
// minimised nor maximised (for a minimised window: where it comes back to).
POINT RestoredTopLeft(HWND window);
LRESULT CALLBACK DefaultFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK InputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Hands the text-input window the buffer that OK fills (at least INPUT_TEXT_LIMIT + 1 code
// units). OK copies only into the buffer handed to that very window; it is forgotten when the
// window is destroyed.
void SetInputResultBuffer(HWND window, wchar_t* buffer);

// The arithmetic behind the functions above, free of the platform.
// lfHeight of a font of `points` for an object of `dpi` on a screen of `screenY` pixels per inch.
int FontHeightForPoints(int points, int dpi, int screenY);
// major.minor as major * 100 + minor (6.1 gives 601).
int WindowsVersionNumber(DWORD major, DWORD minor);
// Start of a span of `size` centred on [refStart, refEnd) and kept inside [workStart, workEnd).
int CenteredStart(int refStart, int refEnd, int size, int workStart, int workEnd);
// A point in workspace coordinates (relative to the work area of the monitor) in screen
// coordinates.
POINT ScreenFromWorkspace(POINT point, const RECT& monitor, const RECT& work);
