#pragma once
// A theme as the engine uses it once decoded: a palette, a few metrics and the
// fonts to try. Plain data, copied freely; no Windows types so that the parser
// also builds natively for fuzzing.
#include <array>
#include <cstddef>
#include <cstdint>

namespace engine {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

// Palette slots. The numeric value + 1 is the record tag in the theme content
// (see THEME_FORMAT.md); the order must never change within a format version.
enum class Role : std::uint8_t {
    kWindow,
    kWindowText,
    kLabelText,
    kAccent,
    kButtonFace,
    kButtonBorder,
    kButtonText,
    kButtonHotFace,
    kButtonHotBorder,
    kButtonHotText,
    kButtonPressedFace,
    kButtonPressedBorder,
    kButtonPressedText,
    kButtonDisabledFace,
    kButtonDisabledBorder,
    kButtonDisabledText,
    kButtonDefaultBorder,
    kFocusRing,
    kTabStrip,
    kTabFace,
    kTabText,
    kTabHotFace,
    kTabSelectedFace,
    kTabSelectedText,
    kTabBorder,
    kTabBody,
    kDialog,
    kDialogText,
    kField,
    kFieldText,
    kCaption,
    kCaptionText,
    kCount
};
inline constexpr std::size_t kRoleCount = static_cast<std::size_t>(Role::kCount);

inline constexpr std::size_t kMaxFontFaces = 4;
inline constexpr std::size_t kFontFaceCapacity = 32;  // LOGFONT's face buffer, NUL included

struct Theme {
    std::array<Rgb, kRoleCount> colors{};
    std::uint8_t corner_radius = 0;   // pixels, 0..12
    std::uint8_t border_width = 1;    // pixels, 1..3
    std::uint8_t face_gradient = 0;   // percent lighter at the top of a button face, 0..40
    std::uint8_t font_points = 9;     // 8..16
    std::uint16_t font_weight = 400;  // 100..900
    // Faces to try in order, NUL-terminated GBK names; unused slots are empty.
    std::array<std::array<char, kFontFaceCapacity>, kMaxFontFaces> font_faces{};
    std::uint8_t font_face_count = 0;
    // The frame of a window whose caption the engine draws, at 96 DPI. No
    // record sets them (yet): every theme has this frame, and so every system
    // the same client area inside a window of a given size.
    std::uint8_t frame_border = 1;
    std::uint8_t caption_height = 21;  // the band below the top border

    Rgb operator[](Role role) const { return colors[static_cast<std::size_t>(role)]; }
};

}  // namespace engine
