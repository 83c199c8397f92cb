#pragma once
#include <cstdint>

#include "framework/text16.h"

// A style request that asks for the control kind's own style (the framework's table of kinds).
constexpr uint32_t KIND_DEFAULT_STYLE = 0xFFFFFFFF;

// One control as AppWindow::CreateControl makes it: kind, identifier, caption, place and size in
// 96-DPI units, style.
struct ControlSpec {
    const Char16* kind;
    int id;
    const Char16* caption;
    int x;
    int y;
    int width;
    int height;
    uint32_t style = KIND_DEFAULT_STYLE;
};
