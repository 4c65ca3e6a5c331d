#pragma once
// What the GUI tests share: a theme decoded for its colours, and where a
// button shows its face colour.
#include <gtest/gtest.h>
#include <windows.h>

#include "engine/core/load_theme.h"
#include "engine/tests/embedded_themes.h"
#include "engine/tests/engine_host.h"

namespace engine_test {

inline engine::Theme theme_number(int n) {
    const Bytes bytes = theme_container(n);
    engine::Theme theme;
    EXPECT_EQ(engine::load_theme(bytes.data(), bytes.size(), theme), engine::kAttached);
    return theme;
}

// Attaches theme n on the calling thread and lets the windows repaint; the
// attach call's result.
inline int attach_and_pump(int n) {
    const int result = attach(theme_container(n));
    pump();
    return result;
}

// Near the bottom of a button face, where its gradient ends; clear of the
// default button's heavier border.
inline COLORREF face_pixel(const Capture& c, const engine::Theme& theme) {
    return c.at(c.width() / 2, c.height() - theme.border_width - 2);
}

}  // namespace engine_test
