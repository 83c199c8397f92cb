#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

// Move-only owners of the GDI and USER objects a box creates, so every exit path releases them.
namespace alertkit {

struct GdiObjectDeleter {
    void operator()(void* handle) const { DeleteObject(static_cast<HGDIOBJ>(handle)); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct AcceleratorDeleter {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};

template <typename Handle>
using GdiOwner = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using FontOwner = GdiOwner<HFONT>;
using BrushOwner = GdiOwner<HBRUSH>;
using BitmapOwner = GdiOwner<HBITMAP>;
using MemoryDcOwner = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using IconOwner = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using AcceleratorOwner = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;

// Restores a device context's previous object.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, previous_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace alertkit
