// Draws the cancel cross pixel by pixel, so it looks the same on every system
// and needs no bitmap resource.
#include "window/win32/CancelGlyph.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace pellinor {

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);

struct Colours {
    COLORREF core;
    COLORREF edge;
};

// Distance of the pixel centre from the nearer of the cross's two strokes,
// or a large value outside the strokes' length; in pixels of the 16-pixel
// cross, so that a larger one is the same drawing, only finer.
double StrokeDistance(int x, int y, int pixels) {
    const double unit = double(kCancelGlyphSize) / pixels;
    const double cx = (x + 0.5) * unit;
    const double cy = (y + 0.5) * unit;
    const double margin = 2.5;
    const double size = kCancelGlyphSize;
    if (cx < margin || cy < margin || cx > size - margin || cy > size - margin) return 99.0;
    const double down = std::fabs(cx - cy) / std::sqrt(2.0);
    const double up = std::fabs(cx + cy - size) / std::sqrt(2.0);
    return down < up ? down : up;
}

HBITMAP DrawCross(HDC screen, const Colours& colours, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return bitmap;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double distance = StrokeDistance(x, y, size);
            COLORREF colour = kTransparent;
            if (distance <= 1.1) {
                colour = colours.core;
            } else if (distance <= 1.9) {
                colour = colours.edge;
            }
            // A DIB pixel is 0x00RRGGBB, a COLORREF 0x00BBGGRR.
            pixels[y * size + x] = (uint32_t(GetRValue(colour)) << 16) |
                                   (uint32_t(GetGValue(colour)) << 8) | GetBValue(colour);
        }
    }
    ::GdiFlush();
    return bitmap;
}

}  // namespace

ImageList MakeCancelGlyph(int size) {
    ImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 6, 0));
    if (!list.Get()) return list;
    const WindowDc screen(nullptr, ::GetDC(nullptr));
    // Button states in the list's order: normal, hot, pressed, disabled,
    // defaulted, stylus hot. Each gets a bitmap of its own, because adding one
    // with a mask blackens its transparent pixels.
    for (int state = 0; state < 6; ++state) {
        const Colours colours = state == 3 ? Colours{RGB(160, 160, 160), RGB(255, 255, 255)}
                                           : Colours{RGB(220, 0, 0), RGB(128, 0, 0)};
        GdiObject<HBITMAP> picture(DrawCross(screen.Get(), colours, size));
        if (picture) ::ImageList_AddMasked(list.Get(), picture.Get(), kTransparent);
    }
    return list;
}

}  // namespace pellinor
