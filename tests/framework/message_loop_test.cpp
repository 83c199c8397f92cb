#include <gtest/gtest.h>

#include <memory>

#include "framework/app_window_win.h"

namespace {

// Captionless and shown without activation: Wine without a window manager waits two seconds to
// destroy a shown window that it manages.
constexpr DWORD SHOWN_STYLE = WS_POPUP;
constexpr UINT MSG_OPEN_INNER = WM_APP + 1;
constexpr UINT MSG_AFTER_INNER = WM_APP + 2;
constexpr UINT_PTR CLOSE_TIMER = 7;
constexpr UINT WATCHDOG_MS = 5000;
constexpr int WATCHDOG_EXIT_CODE = 99;

enum class InnerEnd { ClosesItself, OuterDestroyed, ForeignQuit };

struct NestedRun {
    InnerEnd end = InnerEnd::ClosesItself;
    HWND outer = nullptr;
    HWND inner = nullptr;
    bool innerReturned = false;
    bool outerSawAfterInner = false;
    bool outerAliveAfterLoop = false;
};
NestedRun g_run;

LRESULT CALLBACK InnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(WATCHDOG_EXIT_CODE);
}

LRESULT CALLBACK OuterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case MSG_OPEN_INNER: {
            auto inner = std::make_unique<AppWindow>();
            g_run.inner = inner->Create(window, L"inner", InnerProc, 0, 0, 100, 60, SHOWN_STYLE, 0);
            switch (g_run.end) {
                case InnerEnd::ClosesItself:
                    PostMessageW(g_run.inner, WM_CLOSE, 0, 0);
                    break;
                case InnerEnd::OuterDestroyed:
                    // The outer window goes while the inner loop runs, taking its owned window
                    // along.
                    SetTimer(window, CLOSE_TIMER, 10, nullptr);
                    break;
                case InnerEnd::ForeignQuit:
                    PostQuitMessage(5);
                    break;
            }
            inner->RunMessageLoop(SW_SHOWNOACTIVATE);
            g_run.innerReturned = true;
            if (g_run.end == InnerEnd::ClosesItself) {
                PostMessageW(window, MSG_AFTER_INNER, 0, 0);
            }
            return 0;
        }
        case MSG_AFTER_INNER:
            g_run.outerSawAfterInner = true;
            DestroyWindow(window);
            return 0;
        case WM_TIMER:
            if (wParam == CLOSE_TIMER) {
                KillTimer(window, CLOSE_TIMER);
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

int RunNested(InnerEnd end) {
    g_run = {};
    g_run.end = end;
    AppWindow outer;
    g_run.outer = outer.Create(nullptr, L"outer", OuterProc, 0, 0, 200, 100, SHOWN_STYLE, 0);
    // A quit lost to the inner loop would leave the outer loop waiting forever.
    const UINT_PTR watchdog = SetTimer(nullptr, 0, WATCHDOG_MS, Watchdog);
    PostMessageW(g_run.outer, MSG_OPEN_INNER, 0, 0);
    const int code = outer.RunMessageLoop(SW_SHOWNOACTIVATE);
    g_run.outerAliveAfterLoop = IsWindow(g_run.outer) != FALSE;
    KillTimer(nullptr, watchdog);
    if (g_run.outerAliveAfterLoop) {
        DestroyWindow(g_run.outer);
    }
    // The quits posted by that clean-up must not end the next test's loop.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    return code;
}

}  // namespace

TEST(MessageLoop, InnerLoopEndingOnItsOwnLeavesOuterRunning) {
    EXPECT_EQ(RunNested(InnerEnd::ClosesItself), 0);
    EXPECT_TRUE(g_run.innerReturned);
    EXPECT_TRUE(g_run.outerSawAfterInner) << "the outer loop went on after the inner one";
    EXPECT_FALSE(IsWindow(g_run.outer));
}

TEST(MessageLoop, OuterWindowDestroyedDuringInnerLoopEndsBoth) {
    EXPECT_EQ(RunNested(InnerEnd::OuterDestroyed), 0) << "not ended by the watchdog";
    EXPECT_TRUE(g_run.innerReturned);
    EXPECT_FALSE(g_run.outerSawAfterInner);
    EXPECT_FALSE(IsWindow(g_run.inner));
}

TEST(MessageLoop, QuitPostedWhileInnerWindowLivesReachesOuterLoop) {
    EXPECT_EQ(RunNested(InnerEnd::ForeignQuit), 5);
    EXPECT_TRUE(g_run.innerReturned);
    EXPECT_TRUE(g_run.outerAliveAfterLoop) << "the outer loop ended on the quit handed on";
}
