#pragma once
// Positions and sizes of forms and controls are kept in twips (1/1440 inch);
// Windows wants pixels. The DPI is read once from the screen.
#include <cstdint>

namespace brontal::ui {

int screenDpi();
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

// Colour values: &H80000000 + n is Windows system colour n, anything else an
// RGB value stored as 0x00BBGGRR (the same layout as a COLORREF).
using OleColor = std::uint32_t;
constexpr OleColor systemColor(int index) { return 0x80000000u + static_cast<OleColor>(index); }
constexpr OleColor kRgbBlack = 0x000000;
constexpr OleColor kRgbWhite = 0xFFFFFF;
constexpr OleColor kDarkRed = 192;      // RGB(192, 0, 0)
constexpr OleColor kGreen = 32768;      // RGB(0, 128, 0)
constexpr OleColor kGrey = 0x808080;
std::uint32_t toColorRef(OleColor color);

} // namespace brontal::ui
