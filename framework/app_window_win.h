#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/control_description.h"
#include "framework/handles.h"

// One top-level window: its class, its font and the screen's DPI ratios. Defined in
// app_window_win.cpp, except CreateControl (control_factory_win.cpp, with the set-up of each
// control kind) and RunMessageLoop (message_loop_win.cpp, with the bookkeeping of nested loops).
class AppWindow {
public:
    AppWindow();
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    void ApplyDpi(float dpi);
    HWND Create(HWND parent,
                const wchar_t* title,
                WNDPROC procedure,
                int x,
                int y,
                int width,
                int height,
                DWORD style,
                DWORD exStyle);
    HWND CreateControl(const wchar_t* kind,
                       HWND parent,
                       int id,
                       const wchar_t* caption,
                       int x,
                       int y,
                       int width,
                       int height,
                       DWORD style = KIND_DEFAULT_STYLE,
                       DWORD exStyle = static_cast<DWORD>(-1),
                       void* createData = nullptr,
                       SUBCLASSPROC subclassProc = nullptr,
                       UINT_PTR subclassId = static_cast<UINT_PTR>(-1),
                       DWORD_PTR refData = 0);
    // The same from a description; parent null: this window.
    HWND CreateControl(const ControlSpec& control, HWND parent);
    FontOwner MakeFont(const wchar_t* face,
                       int points,
                       int weight,
                       int italic,
                       int underline,
                       int strikeOut,
                       BYTE charSet) const;
    bool ReplaceFont(const wchar_t* face,
                     int points,
                     int weight,
                     int italic,
                     int underline,
                     int strikeOut,
                     BYTE charSet);
    bool MoveScaled(HWND window, int x, int y, int width, int height) const;
    // Shows the window and pumps the thread's messages until the quit message; returns its
    // exit code. A quit that belongs to an enclosing loop is posted again (see the .cpp).
    int RunMessageLoop(int show = 0);

    HWND Window() const { return window_; }
    HINSTANCE Instance() const { return instance_; }
    HFONT Font() const { return font_.get(); }
    HACCEL Accelerators() const { return accelerators_.get(); }
    int Dpi() const { return dpi_; }
    float ScaleX() const { return scaleX_; }
    float ScaleY() const { return scaleY_; }
    ATOM ClassAtom() const { return classAtom_; }
    const wchar_t* ClassName() const { return className_; }
    int DefaultFontSize() const { return defaultFontSize_; }
    const wchar_t* DefaultFontFace() const { return defaultFontFace_; }
    HMODULE RichEditModule() const { return richEditModule_.get(); }

private:
    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    FontOwner font_;
    AcceleratorOwner accelerators_;
    int dpi_ = 96;
    float scaleX_ = 1.0f;
    float scaleY_ = 1.0f;
    ATOM classAtom_ = 0;
    wchar_t className_[260] = {};
    int defaultFontSize_ = 8;
    wchar_t defaultFontFace_[32] = {};
    ModuleOwner richEditModule_;
};
