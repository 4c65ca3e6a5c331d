#pragma once
// The GDI side of a theme: the brushes handed out for WM_CTLCOLOR* and the font
// that buttons and tabs are drawn in. Created in full before a theme replaces
// another, so a failure leaves the old look in place.
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
    HFONT font() const { return font_; }

private:
    explicit SkinResources(const Theme& theme) : theme_(theme) {}

    Theme theme_;
    win32::UniqueBrush window_brush_, dialog_brush_, tab_body_brush_, field_brush_;
    win32::UniqueFont own_font_;
    HFONT font_ = nullptr;  // own_font_, or the stock GUI font when no face is installed
};

}  // namespace engine
