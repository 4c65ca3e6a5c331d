#pragma once
// GDI objects and device contexts released on the way out, so a paint that
// bails out early leaks nothing and leaves the DC as it found it. Releasing
// never changes GetLastError().
#include <windows.h>

#include "win32/unique_handle.h"

namespace win32 {

template <typename T>
void delete_object(T object) { DeleteObject(object); }
inline void delete_dc(HDC dc) { DeleteDC(dc); }

// A GDI object of one type: UniqueGdi<HBRUSH>, UniqueGdi<HFONT>, ...
template <typename T>
using UniqueGdi = UniqueHandle<Traits<T, delete_object<T>>>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueRegion = UniqueGdi<HRGN>;

using UniqueMemoryDc = UniqueHandle<Traits<HDC, delete_dc>>;  // CreateCompatibleDC

// BeginPaint ... EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() {
        if (dc_ != nullptr) keeping_last_error([this] { EndPaint(window_, &paint_); });
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    const PAINTSTRUCT& paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// GetWindowDC (or GetDC) ... ReleaseDC.
class WindowDc {
public:
    enum Area { kWholeWindow, kClientArea };
    explicit WindowDc(HWND window, Area area = kWholeWindow)
        : window_(window), dc_(area == kWholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) keeping_last_error([this] { ReleaseDC(window_, dc_); });
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// SaveDC ... RestoreDC: whatever is selected, clipped or set in between is
// undone.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;
    ~SavedDc() {
        if (saved_ != 0) keeping_last_error([this] { RestoreDC(dc_, saved_); });
    }

    // False when SaveDC failed: then nothing will be restored either.
    explicit operator bool() const { return saved_ != 0; }

private:
    HDC dc_;
    int saved_;
};

// Selects an object into a DC for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ != nullptr && old_ != HGDI_ERROR) keeping_last_error([this] { SelectObject(dc_, old_); });
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace win32
