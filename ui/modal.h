#pragma once

// True while a message box that brackets it or the edit window is up: the watch tick then
// leaves the window order alone. Written only by ModalScope.
extern volatile unsigned char g_modalActive;

// Raises g_modalActive for its life. Scopes do not nest: the first one to end lowers it.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};
