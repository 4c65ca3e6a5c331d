#pragma once
// The GDI side of a theme: the brushes handed out for WM_CTLCOLOR* and the font
// that buttons and tabs are drawn in, made for each DPI a window is drawn at.
// Created in full before a theme replaces another, so a failure leaves the old
// look in place.
#include <windows.h>

#include <memory>

#include "engine/core/theme.h"
#include "engine/skin/color_fill.h"

namespace engine {

class SkinResources {
public:
    // Null when a brush or the font cannot be created.
    static std::unique_ptr<SkinResources> create(const Theme& theme);

    const Theme& theme() const { return theme_; }
    Rgb color(Role role) const { return theme_[role]; }
    // Brushes exist for the background roles only: kWindow, kDialog, kTabBody, kField.
    HBRUSH brush(Role role) const;
    // The theme's font for a window drawn at `dpi`; made at its first use.
    HFONT font(int dpi) const;

private:
    explicit SkinResources(const Theme& theme) : theme_(theme) {}

    // A font per DPI in use: one per monitor scale, so a few. Painting a
    // window asks for its font again and again; a new DPI replaces the
    // oldest, never one that a paint still holds (paints run one DPI at a time).
    struct DpiFont {
        int dpi = 0;
        win32::UniqueFont own;  // empty: the stock GUI font stands in (no face installed)
    };
    static constexpr int kDpiFonts = 4;

    Theme theme_;
    win32::UniqueBrush window_brush_, dialog_brush_, tab_body_brush_, field_brush_;
    mutable DpiFont fonts_[kDpiFonts];
    mutable int oldest_font_ = 0;
};

}  // namespace engine
