#pragma once

namespace discmenu::ui {

// Positions and sizes are in twips: 1/1440 inch, 15 to a pixel at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

constexpr int toPixels(int twips) {
    return twips / TwipsPerPixel;
}
constexpr int toTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

} // namespace discmenu::ui
