// The display's scale: the window is laid out in 96-DPI units (the layout
// table) and drawn in the display's pixels, LOGPIXELSY / 96 of them a unit.
#pragma once

#include "window/Layout.h"

namespace pellinor {

// Pixels a logical inch at 100 %, the unit the layout table is written in.
constexpr int kLayoutDpi = 96;
// Below three quarters of the layout's size the 11-pixel default font would
// shrink under 9 pixels and stop being readable: a window that needs less
// than that to fit its screen is left larger than the screen instead.
constexpr int kSmallestDpi = 72;

struct PixelRect {
    int left, top, width, height;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

class DisplayScale {
  public:
    explicit DisplayScale(int dpi = kLayoutDpi) : dpi_(dpi > 0 ? dpi : kLayoutDpi) {}
    int Dpi() const { return dpi_; }

    // A length or a coordinate in pixels, to the nearest pixel (halves up).
    int Pixels(int units) const;
    // A place and size: the four edges are scaled, not the size, so that two
    // controls that meet at 96 DPI still meet, and none that keep apart
    // there comes to overlap another, whatever the rounding.
    PixelRect Rect(int left, int top, int width, int height) const;
    PixelRect Rect(const ControlLayout& layout) const;
    // The form's client area with its band of face colour around it.
    int FormWidth() const;
    int FormHeight() const;

  private:
    int dpi_;
};

// The scale the window is drawn at on a system of systemDpi: the system's
// own, or the largest below it at which the form and the frame the system
// puts around it (frameWidth, frameHeight: the caption and the borders, in
// pixels) fit the screen's work area; never below kSmallestDpi unless the
// system's own is.
DisplayScale FittingScale(int systemDpi, int frameWidth, int frameHeight, int workAreaWidth,
                          int workAreaHeight);

}  // namespace pellinor
