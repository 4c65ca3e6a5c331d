#pragma once
// The frame the engine gives a window whose caption it draws: taken from the
// theme at the window's DPI, never from the system's metrics, which differ
// between Windows 7, 10, 11 and Wine.
#include <windows.h>

#include "engine/core/theme.h"
#include "win32/dpi.h"

namespace engine {

struct FrameMetrics {
    int border;   // left, right, bottom, and above the caption
    int caption;  // the caption band, below the top border
};

inline FrameMetrics frame_metrics(const Theme& theme, int dpi) {
    return FrameMetrics{win32::scale(theme.frame_border, dpi), win32::scale(theme.caption_height, dpi)};
}

// The client area inside the window rectangle `outer`, in its coordinates.
inline RECT client_inside(const FrameMetrics& frame, const RECT& outer) {
    return RECT{outer.left + frame.border, outer.top + frame.border + frame.caption, outer.right - frame.border,
                outer.bottom - frame.border};
}

}  // namespace engine
