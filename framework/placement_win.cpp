#include "framework/placement_win.h"

#include "framework/placement.h"
#include "framework/scaling.h"

namespace {

constexpr LONG MENU_PROBE_BOTTOM = 0x7FFF;
constexpr UINT RESIZE_FLAGS = SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE;
// Both windows are centred while still hidden: activation comes with their showing (Wine would
// otherwise hand a hidden window the foreground).
constexpr UINT CENTER_FLAGS = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

// The work area of the monitor nearest the reference, so that a window centred over a window on
// a second monitor opens there; without a reference, the primary monitor's.
RECT WorkArea(HWND reference) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (reference &&
        GetMonitorInfoW(MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return monitor.rcWork;
    }
    RECT work = {};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return work;
}

}  // namespace

BOOL ResizeClient(HWND window, int width, int height, float scaleX, float scaleY) {
    RECT rect = {0, 0, ScaleValue(width, scaleX), ScaleValue(height, scaleY)};
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    const bool hasMenu = GetMenu(window) != nullptr;
    AdjustWindowRectEx(&rect, style, hasMenu, exStyle);
    if (hasMenu) {
        // AdjustWindowRectEx counts one menu line; a menu bar that wraps takes more.
        RECT probe = {rect.left, rect.top, rect.right, MENU_PROBE_BOTTOM};
        SendMessageW(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&probe));
        rect.bottom += probe.top;
    }
    if (style & WS_HSCROLL) {
        rect.bottom += GetSystemMetrics(SM_CYHSCROLL);
    }
    if (style & WS_VSCROLL) {
        rect.right += GetSystemMetrics(SM_CXVSCROLL);
    }
    return SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                        RESIZE_FLAGS);
}

void CenterOver(HWND window, HWND reference) {
    RECT own = {};
    GetWindowRect(window, &own);
    const RECT work = WorkArea(reference);
    RECT over = work;
    if (reference) {
        GetWindowRect(reference, &over);
    }
    POINT place = {
        CenteredStart(over.left, over.right, own.right - own.left, work.left, work.right),
        CenteredStart(over.top, over.bottom, own.bottom - own.top, work.top, work.bottom)};
    if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) {
        ScreenToClient(reference, &place);
    }
    SetWindowPos(window, nullptr, place.x, place.y, 0, 0, CENTER_FLAGS);
}

POINT RestoredTopLeft(HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return {rect.left, rect.top};
    }
    const POINT restored = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    // The restored place of a top-level window other than a tool window is given in workspace
    // coordinates: a taskbar on the left or at the top shifts it against the screen. For a
    // minimised window the platform answers with the monitor it comes back to.
    if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) {
        return restored;
    }
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return restored;
    }
    const RECT& screen = monitor.rcMonitor;
    const RECT& work = monitor.rcWork;
    const PlainPoint place = ScreenFromWorkspace(
        {restored.x, restored.y}, {screen.left, screen.top, screen.right, screen.bottom},
        {work.left, work.top, work.right, work.bottom});
    return {place.x, place.y};
}
