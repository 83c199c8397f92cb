#pragma once
#include <string>

namespace e2e {

// For the life of the object, windows of programs started under Wine (this test's own among
// them, when it has made none yet) get no window-manager frame: Wine's X11 driver option
// Managed=N. The previous setting is put back afterwards. Elsewhere it does nothing.
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
