#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace discmenu::ui {

using Color = std::uint32_t; // 0xRRGGBB

inline constexpr Color White = 0xFFFFFF;
inline constexpr Color Yellow = 0xFFFF00;
inline constexpr Color Black = 0x000000;

struct Font {
    std::string face = "Arial";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    // The character height Windows gives this size at 96 dots per inch.
    int pixelHeight() const { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }
    bool operator==(const Font&) const = default;
};

} // namespace discmenu::ui
