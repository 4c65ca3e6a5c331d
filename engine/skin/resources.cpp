#include "engine/skin/resources.h"

#include <cstring>

#include "win32/dpi.h"

namespace engine {
namespace {

int CALLBACK note_face(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one match is enough
}

bool face_installed(HDC dc, const char* face) {
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExA(dc, &query, note_face, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The first face of the theme's list that this machine has, at `dpi`; themes
// list a Windows face first and common fallbacks after it.
HFONT create_theme_font(const Theme& theme, int dpi) {
    // A memory DC answers the installed faces as well as the screen's DC
    // does, and costs no trip to the display (GetDC on a thread's first call
    // can take milliseconds).
    const win32::UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    if (!memory) return nullptr;
    HDC screen = memory.get();
    HFONT font = nullptr;
    for (std::size_t i = 0; i < theme.font_face_count && font == nullptr; ++i) {
        const char* face = theme.font_faces[i].data();
        if (!face_installed(screen, face)) continue;
        LOGFONTA description{};
        description.lfHeight = -MulDiv(theme.font_points, dpi, 72);
        description.lfWeight = theme.font_weight;
        description.lfCharSet = DEFAULT_CHARSET;
        description.lfQuality = CLEARTYPE_QUALITY;
        std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
        font = CreateFontIndirectA(&description);
    }
    return font;
}

}  // namespace

std::unique_ptr<SkinResources> SkinResources::create(const Theme& theme) {
    std::unique_ptr<SkinResources> resources(new (std::nothrow) SkinResources(theme));
    if (!resources) return nullptr;
    const auto brush = [&](Role role) { return CreateSolidBrush(colorref(theme[role])); };
    resources->window_brush_.reset(brush(Role::kWindow));
    resources->dialog_brush_.reset(brush(Role::kDialog));
    resources->tab_body_brush_.reset(brush(Role::kTabBody));
    resources->field_brush_.reset(brush(Role::kField));
    if (!resources->window_brush_ || !resources->dialog_brush_ || !resources->tab_body_brush_ ||
        !resources->field_brush_) {
        return nullptr;
    }
    // The screen's font at once: most windows are drawn at its DPI.
    resources->font(win32::system_dpi());
    return resources;
}

HFONT SkinResources::font(int dpi) const {
    for (const DpiFont& made : fonts_)
        if (made.dpi == dpi) return win32::font_or_gui(made.own);
    DpiFont& slot = fonts_[oldest_font_];
    oldest_font_ = (oldest_font_ + 1) % kDpiFonts;
    slot.dpi = dpi;
    slot.own.reset(create_theme_font(theme_, dpi));
    // No face of the theme installed: the stock GUI font, made for the DPI too.
    if (!slot.own) slot.own = win32::gui_font_for(dpi);
    return win32::font_or_gui(slot.own);
}

HBRUSH SkinResources::brush(Role role) const {
    switch (role) {
    case Role::kDialog:
        return dialog_brush_.get();
    case Role::kTabBody:
        return tab_body_brush_.get();
    case Role::kField:
        return field_brush_.get();
    default:
        return window_brush_.get();
    }
}

}  // namespace engine
