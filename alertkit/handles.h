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

// A zeroed array on the process heap, freed on every exit path. Out of memory leaves it
// empty (null) instead of throwing, so callers check it.
template <typename Item>
class HeapArray {
public:
    explicit HeapArray(size_t count)
        : items_(static_cast<Item*>(
              HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (count ? count : 1) * sizeof(Item)))) {}
    ~HeapArray() {
        if (items_)
            HeapFree(GetProcessHeap(), 0, items_);
    }
    HeapArray(const HeapArray&) = delete;
    HeapArray& operator=(const HeapArray&) = delete;
    Item* get() const { return items_; }
    explicit operator bool() const { return items_ != nullptr; }

private:
    Item* items_;
};

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
