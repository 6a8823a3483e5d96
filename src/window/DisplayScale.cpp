// Scaling the window's layout to the display's pixels.
#include "window/DisplayScale.h"

namespace pellinor {

int DisplayScale::Pixels(int units) const {
    // Rounded to the nearest, halves away from zero, in whole numbers: the
    // same pixel on every build and machine.
    const long long scaled = static_cast<long long>(units) * dpi_ * 2;
    const long long twice = scaled >= 0 ? scaled + kLayoutDpi : scaled - kLayoutDpi;
    return static_cast<int>(twice / (2 * kLayoutDpi));
}

PixelRect DisplayScale::Rect(int left, int top, int width, int height) const {
    const int x = Pixels(left);
    const int y = Pixels(top);
    return {x, y, Pixels(left + width) - x, Pixels(top + height) - y};
}

PixelRect DisplayScale::Rect(const ControlLayout& layout) const {
    return Rect(layout.left, layout.top, layout.width, layout.height);
}

int DisplayScale::FormWidth() const {
    return Pixels(kClientWidth) + 2 * Pixels(kFormBorderWidth);
}

int DisplayScale::FormHeight() const {
    return Pixels(kClientHeight) + 2 * Pixels(kFormBorderWidth);
}

DisplayScale FittingScale(int systemDpi, int frameWidth, int frameHeight, int workAreaWidth,
                          int workAreaHeight) {
    for (int dpi = systemDpi; dpi > kSmallestDpi; --dpi) {
        const DisplayScale scale(dpi);
        if (scale.FormWidth() + frameWidth <= workAreaWidth &&
            scale.FormHeight() + frameHeight <= workAreaHeight) {
            return scale;
        }
    }
    return DisplayScale(systemDpi < kSmallestDpi ? systemDpi : kSmallestDpi);
}

}  // namespace pellinor
