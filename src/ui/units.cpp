#include "ui/units.h"

#include <windows.h>

namespace brontal::ui {

int screenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int twipsToPixels(int twips) { return MulDiv(twips, screenDpi(), 1440); }
int pixelsToTwips(int pixels) { return MulDiv(pixels, 1440, screenDpi()); }

std::uint32_t toColorRef(OleColor color) {
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
    return color & 0x00FFFFFFu;
}

} // namespace brontal::ui
