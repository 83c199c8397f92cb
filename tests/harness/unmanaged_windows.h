#pragma once
#include <string>

namespace e2e {

// Whether the tests run on the desktop with a window manager (FLAGSMITH_DESKTOP=openbox),
// not on the bare one where Wine orders and focuses the windows itself.
bool UnderWindowManager();
// Whether the tests run under Wine at all (ntdll names its version), not on Windows.
bool UnderWine();

// For the life of the object, windows of programs started under Wine (this test's own among
// them, when it has made none yet) get no window-manager frame: Wine's X11 driver option
// Managed=N; under a window manager they are managed (Managed=Y). The previous setting is put
// back afterwards. Elsewhere it does nothing.
class UnmanagedWineWindows {
public:
    UnmanagedWineWindows();
    ~UnmanagedWineWindows();
    UnmanagedWineWindows(const UnmanagedWineWindows&) = delete;
    UnmanagedWineWindows& operator=(const UnmanagedWineWindows&) = delete;

private:
    bool underWine_ = false;
    bool hadValue_ = false;
    std::wstring previous_;
};

}  // namespace e2e
