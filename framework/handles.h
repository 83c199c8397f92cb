#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

// Move-only owners of kernel, GDI and USER objects, so every exit path releases them. Shared by
// the program and the message box library: header-only, no exceptions, nothing of the C++
// runtime beyond unique_ptr, so the library can include it and still link nothing of ours.

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
struct ModuleDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

template <typename Handle>
using GdiOwner = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using FontOwner = GdiOwner<HFONT>;
using BrushOwner = GdiOwner<HBRUSH>;
using BitmapOwner = GdiOwner<HBITMAP>;
// A DC of CreateCompatibleDC or CreateDCW, deleted with DeleteDC.
using MemoryDcOwner = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using IconOwner = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using AcceleratorOwner = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;
using ModuleOwner = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

// A kernel file handle of CreateFileW, closed with CloseHandle. CreateFileW reports failure as
// INVALID_HANDLE_VALUE, not null, so that is the empty value here.
class FileOwner {
public:
    FileOwner() = default;
    explicit FileOwner(HANDLE file) : file_(file) {}
    ~FileOwner() { reset(); }
    FileOwner(FileOwner&& other) noexcept : file_(other.release()) {}
    FileOwner& operator=(FileOwner&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    FileOwner(const FileOwner&) = delete;
    FileOwner& operator=(const FileOwner&) = delete;

    HANDLE get() const { return file_; }
    explicit operator bool() const { return file_ != INVALID_HANDLE_VALUE; }
    HANDLE release() {
        HANDLE file = file_;
        file_ = INVALID_HANDLE_VALUE;
        return file;
    }
    void reset(HANDLE file = INVALID_HANDLE_VALUE) {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
        file_ = file;
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// The DC of GetDC, given back with ReleaseDC to the same window. A null window gives the
// screen's DC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(WindowDc&& other) noexcept : window_(other.window_), dc_(other.dc_) {
        other.dc_ = nullptr;
    }
    WindowDc& operator=(WindowDc&&) = delete;
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and restores the previously selected one. A null object selects
// nothing (and so restores nothing).
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

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
