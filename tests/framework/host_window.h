#pragma once
#include <windows.h>

#include "framework/app_window_win.h"

// The object's hidden popup window, procedure DefWindowProcW, at the object's ratios.
inline HWND CreateHostWindow(AppWindow& app, int width = 400, int height = 300) {
    return app.Create(nullptr, L"framework test", DefWindowProcW, 0, 0, width, height,
                      WS_POPUP | WS_CAPTION, 0);
}

// A child's rectangle in its parent's client coordinates.
inline RECT ChildRect(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Handles the messages already queued, without waiting for more.
inline void PumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
