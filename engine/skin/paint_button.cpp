#include "engine/skin/painters.h"

#include <commctrl.h>

#include <string>

#include "win32/window.h"

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

}  // namespace

void paint_button(HWND button, HDC dc, const SkinResources& skin, bool hot) {
    const Theme& theme = skin.theme();
    RECT rect;
    GetClientRect(button, &rect);
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    const LRESULT state = SendMessageA(button, BM_GETSTATE, 0, 0);
    const bool disabled = !IsWindowEnabled(button);
    const bool pressed = (state & BST_PUSHED) != 0;
    const bool focused = (state & BST_FOCUS) != 0 || GetFocus() == button;
    const bool is_default = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const LRESULT cues = SendMessageA(button, WM_QUERYUISTATE, 0, 0);
    ButtonLook look = look_for(theme, disabled, pressed, hot || (state & BST_HOT) != 0);
    if (is_default && !disabled && !pressed) look.border = theme[Role::kButtonDefaultBorder];

    // Corners outside the rounded face show the parent's background.
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

    const int radius = theme.corner_radius;
    const win32::UniqueRegion region = face_region(rect, radius);
    if (region) {
        {
            const win32::SavedDc saved(dc);
            SelectClipRgn(dc, region.get());
            const Rgb top = pressed || disabled ? look.face : lighten(look.face, theme.face_gradient);
            fill_vertical(dc, rect, top, look.face);
        }
        const win32::UniqueBrush border(CreateSolidBrush(colorref(look.border)));
        // The default button gets a border one pixel heavier, as users expect.
        const int width = theme.border_width + (is_default && !disabled ? 1 : 0);
        if (border) FrameRgn(dc, region.get(), border.get(), width, width);
    }

    if (focused && !disabled && (cues & UISF_HIDEFOCUS) == 0) {
        const win32::UniquePen pen(CreatePen(PS_SOLID, 1, colorref(theme[Role::kFocusRing])));
        if (pen) {
            const win32::SelectGuard use_pen(dc, pen.get());
            const win32::SelectGuard hollow(dc, GetStockObject(NULL_BRUSH));
            const int inset = theme.border_width + 2;
            const int ring = radius > inset ? radius - inset : 0;
            RoundRect(dc, rect.left + inset, rect.top + inset, rect.right - inset,
                      rect.bottom - inset, 2 * ring, 2 * ring);
        }
    }

    const std::string text = win32::window_text(button);
    if (!text.empty()) {
        const win32::SelectGuard font(dc, skin.font());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colorref(look.text));
        RECT text_rect = rect;
        InflateRect(&text_rect, -(theme.border_width + 3), -(theme.border_width + 1));
        if (pressed) OffsetRect(&text_rect, 1, 1);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &text_rect,
                  text_format(style, (cues & UISF_HIDEACCEL) != 0));
    }
}

}  // namespace engine
