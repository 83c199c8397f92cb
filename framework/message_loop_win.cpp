#include "framework/app_window_win.h"
#include "framework/array.h"

namespace {

// Windows of the message loops now running on the thread, innermost last. A nested loop (the
// edit window's inside the main window procedure) can retrieve a quit that was posted for an
// enclosing one: when the main window is destroyed while the edit window is open, both windows
// post a quit but the thread keeps only one.
Array<HWND> g_runningLoops;

class RunningLoop {
public:
    explicit RunningLoop(HWND window) { g_runningLoops.push_back(window); }
    ~RunningLoop() { g_runningLoops.pop_back(); }
    RunningLoop(const RunningLoop&) = delete;
    RunningLoop& operator=(const RunningLoop&) = delete;

    // The quit belongs to an enclosing loop when this loop's window is still there (nobody
    // closed it) or when a window of an enclosing loop is gone (its loop has to end too).
    bool QuitBelongsOutside() const {
        const size_t depth = g_runningLoops.size();
        if (depth < 2) {
            return false;
        }
        if (IsWindow(g_runningLoops[depth - 1])) {
            return true;
        }
        for (size_t i = 0; i + 1 < depth; ++i) {
            if (!IsWindow(g_runningLoops[i])) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace

int AppWindow::RunMessageLoop(int show) {
    if (!window_) {
        return 0;
    }
    ShowWindow(window_, show ? show : SW_SHOW);
    UpdateWindow(window_);

    RunningLoop loop(window_);
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(window_, accelerators_.get(), &message) && accelerators_) {
            continue;
        }
        if (IsDialogMessageW(window_, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (message.message != WM_QUIT) {
        return 0;
    }
    const int exitCode = static_cast<int>(message.wParam);
    if (loop.QuitBelongsOutside()) {
        PostQuitMessage(exitCode);
    }
    return exitCode;
}
