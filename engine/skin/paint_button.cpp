#include "engine/skin/painters.h"

#include <commctrl.h>

#include "engine/skin/window_text.h"

namespace engine {
namespace {

struct ButtonLook {
    Rgb face, border, text;
};

ButtonLook look_for(const Theme& theme, bool disabled, bool pressed, bool hot) {
    if (disabled) {
        return {theme[Role::kButtonDisabledFace], theme[Role::kButtonDisabledBorder],
                theme[Role::kButtonDisabledText]};
    }
    if (pressed) {
        return {theme[Role::kButtonPressedFace], theme[Role::kButtonPressedBorder],
                theme[Role::kButtonPressedText]};
    }
    if (hot) {
        return {theme[Role::kButtonHotFace], theme[Role::kButtonHotBorder],
                theme[Role::kButtonHotText]};
    }
    return {theme[Role::kButtonFace], theme[Role::kButtonBorder], theme[Role::kButtonText]};
}

win32::UniqueRegion face_region(const RECT& rect, int radius) {
    if (radius <= 0) return win32::UniqueRegion(CreateRectRgnIndirect(&rect));
    return win32::UniqueRegion(CreateRoundRectRgn(rect.left, rect.top, rect.right + 1,
                                                  rect.bottom + 1, 2 * radius, 2 * radius));
}

UINT text_format(LONG style, bool hide_prefix) {
    UINT format = hide_prefix ? DT_HIDEPREFIX : 0;
    switch (style & BS_CENTER) {
    case BS_LEFT:
        format |= DT_LEFT;
        break;
    case BS_RIGHT:
        format |= DT_RIGHT;
        break;
    default:
        format |= DT_CENTER;
    }
    if (style & BS_MULTILINE) return format | DT_WORDBREAK;
    switch (style & BS_VCENTER) {
    case BS_TOP:
        return format | DT_TOP | DT_SINGLELINE;
    case BS_BOTTOM:
        return format | DT_BOTTOM | DT_SINGLELINE;
    default:
        return format | DT_VCENTER | DT_SINGLELINE;
    }
}

// What the button's window says about how it must look right now.
struct ButtonState {
    LONG style;
    bool disabled, pressed, focused, is_default;
    LRESULT cues;  // WM_QUERYUISTATE: hidden focus ring or accelerators
    ButtonLook look;
};

ButtonState state_of(HWND button, const Theme& theme, bool hot) {
    ButtonState state{};
    state.style = GetWindowLongA(button, GWL_STYLE);
    const LRESULT flags = SendMessageA(button, BM_GETSTATE, 0, 0);
    state.disabled = !IsWindowEnabled(button);
    state.pressed = (flags & BST_PUSHED) != 0;
    state.focused = (flags & BST_FOCUS) != 0 || GetFocus() == button;
    state.is_default = (state.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    state.cues = SendMessageA(button, WM_QUERYUISTATE, 0, 0);
    state.look = look_for(theme, state.disabled, state.pressed, hot || (flags & BST_HOT) != 0);
    if (state.is_default && !state.disabled && !state.pressed) state.look.border = theme[Role::kButtonDefaultBorder];
    return state;
}

// Corners outside the rounded face show the parent's background.
void paint_behind(HWND button, HDC dc, const RECT& rect, const Theme& theme) {
    HWND parent = GetParent(button);
    HBRUSH behind = parent != nullptr
                        ? reinterpret_cast<HBRUSH>(SendMessageA(
                              parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(button)))
                        : nullptr;
    if (behind != nullptr) {
        FillRect(dc, &rect, behind);
    } else {
        fill(dc, rect, theme[Role::kWindow]);
    }
}

void paint_face(HDC dc, const RECT& rect, const Theme& theme, const ButtonState& state, int dpi) {
    const win32::UniqueRegion region = face_region(rect, win32::scale(theme.corner_radius, dpi));
    if (!region) return;
    {
        const win32::SavedDc saved(dc);
        SelectClipRgn(dc, region.get());
        const Rgb top = state.pressed || state.disabled ? state.look.face : lighten(state.look.face, theme.face_gradient);
        fill_vertical(dc, rect, top, state.look.face);
    }
    const win32::UniqueBrush border(CreateSolidBrush(colorref(state.look.border)));
    // The default button gets a border one pixel heavier, as users expect.
    const int width = win32::scale(theme.border_width + (state.is_default && !state.disabled ? 1 : 0), dpi);
    if (border) FrameRgn(dc, region.get(), border.get(), width, width);
}

void paint_focus_ring(HDC dc, const RECT& rect, const Theme& theme, const ButtonState& state, int dpi) {
    if (!state.focused || state.disabled || (state.cues & UISF_HIDEFOCUS) != 0) return;
    const win32::UniquePen pen(CreatePen(PS_SOLID, win32::scale(1, dpi), colorref(theme[Role::kFocusRing])));
    if (!pen) return;
    const win32::SelectGuard use_pen(dc, pen.get());
    const win32::SelectGuard hollow(dc, GetStockObject(NULL_BRUSH));
    const int radius = win32::scale(theme.corner_radius, dpi);
    const int inset = win32::scale(theme.border_width + 2, dpi);
    const int ring = radius > inset ? radius - inset : 0;
    RoundRect(dc, rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset, 2 * ring, 2 * ring);
}

void paint_text(HWND button, HDC dc, const RECT& rect, const SkinResources& skin, const ButtonState& state,
                int dpi) {
    const WindowText text(button);
    if (text.empty()) return;
    const Theme& theme = skin.theme();
    const win32::SelectGuard font(dc, skin.font(dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorref(state.look.text));
    RECT text_rect = rect;
    InflateRect(&text_rect, -win32::scale(theme.border_width + 3, dpi), -win32::scale(theme.border_width + 1, dpi));
    if (state.pressed) OffsetRect(&text_rect, win32::scale(1, dpi), win32::scale(1, dpi));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &text_rect,
              text_format(state.style, (state.cues & UISF_HIDEACCEL) != 0));
}

}  // namespace

void paint_button(HWND button, HDC dc, const SkinResources& skin, bool hot, int dpi) {
    const Theme& theme = skin.theme();
    RECT rect;
    GetClientRect(button, &rect);
    const ButtonState state = state_of(button, theme, hot);
    paint_behind(button, dc, rect, theme);
    paint_face(dc, rect, theme, state, dpi);
    paint_focus_ring(dc, rect, theme, state, dpi);
    paint_text(button, dc, rect, skin, state, dpi);
}

}  // namespace engine
