#include "engine/skin/painters.h"

#include "engine/skin/window_text.h"

namespace engine {
namespace {

UINT text_format(LONG style) {
    UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        format |= DT_LEFT | DT_SINGLELINE;
        break;
    default:
        format |= DT_LEFT | DT_WORDBREAK;
    }
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_VCENTER | DT_SINGLELINE;
    constexpr struct {
        LONG style;
        UINT format;
    } kEllipses[] = {{SS_ENDELLIPSIS, DT_END_ELLIPSIS}, {SS_PATHELLIPSIS, DT_PATH_ELLIPSIS},
                     {SS_WORDELLIPSIS, DT_WORD_ELLIPSIS}};
    for (const auto& ellipsis : kEllipses)
        if ((style & SS_ELLIPSISMASK) == ellipsis.style) format |= ellipsis.format;
    return format;
}

}  // namespace

void paint_label(HWND label, HDC dc, const SkinResources& skin) {
    RECT rect;
    GetClientRect(label, &rect);
    const LONG style = GetWindowLongA(label, GWL_STYLE);
    const bool transparent = (GetWindowLongA(label, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
    if (transparent) paint_parent_beneath(label, dc);

    // The parent decides the colours, as it would for an unskinned static; a
    // skinned parent answers from the theme.
    HWND parent = GetParent(label);
    SetTextColor(dc, colorref(skin.color(Role::kLabelText)));
    HBRUSH brush = parent != nullptr
                       ? reinterpret_cast<HBRUSH>(SendMessageA(
                             parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(label)))
                       : nullptr;
    if (!transparent) {
        if (brush != nullptr) {
            FillRect(dc, &rect, brush);
        } else {
            fill(dc, rect, skin.color(Role::kWindow));
        }
    }
    if (!IsWindowEnabled(label)) SetTextColor(dc, colorref(skin.color(Role::kButtonDisabledText)));

    const WindowText text(label);
    if (text.empty()) return;
    // The label keeps the font its owner laid it out with.
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
    const win32::SelectGuard use_font(dc, font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, text_format(style));
}

}  // namespace engine
