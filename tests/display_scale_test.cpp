// The layout at the display's scale: controls that keep their places among
// the others at every DPI, and the scale that fits a small work area.
#include <gtest/gtest.h>

#include <array>

#include "window/DisplayScale.h"

namespace pellinor {
namespace {

bool Apart(const PixelRect& a, const PixelRect& b) {
    return a.Right() <= b.left || b.Right() <= a.left || a.Bottom() <= b.top || b.Bottom() <= a.top;
}

TEST(DisplayScale, EveryControlKeepsItsPlaceAmongTheOthersAtEveryDpi) {
    EXPECT_EQ(DisplayScale(120).Pixels(11), 14);  // 13.75
    EXPECT_EQ(DisplayScale(144).Pixels(25), 38);  // 37.5: halves up
    const DisplayScale design;
    for (int dpi = kSmallestDpi; dpi <= 3 * kLayoutDpi; ++dpi) {
        const DisplayScale scale(dpi);
        for (const ControlLayout& a : ControlLayouts()) {
            const PixelRect ra = scale.Rect(a);
            EXPECT_TRUE(ra.left >= 0 && ra.top >= 0 && ra.Right() <= scale.Pixels(kClientWidth) &&
                        ra.Bottom() <= scale.Pixels(kClientHeight))
                << dpi;
            for (const ControlLayout& b : ControlLayouts()) {
                const PixelRect rb = scale.Rect(b);
                if (Apart(design.Rect(a), design.Rect(b))) {
                    EXPECT_TRUE(Apart(ra, rb)) << dpi;
                }
                // Edges that line up at 100 % line up at every scale.
                if (a.left + a.width == b.left) {
                    EXPECT_EQ(ra.Right(), rb.left) << dpi;
                }
                if (a.top + a.height == b.top) {
                    EXPECT_EQ(ra.Bottom(), rb.top) << dpi;
                }
            }
        }
    }
}

TEST(DisplayScale, ShrinksOnlyAsFarAsTheWorkAreaNeeds) {
    // 100 % and 200 % where they fit, a screen too small for any readable
    // size; a 1366 x 768 laptop at 125 % and an 800 x 600 screen at 100 %.
    EXPECT_EQ(FittingScale(96, 6, 25, 1366, 728).Dpi(), 96);
    EXPECT_EQ(FittingScale(192, 6, 43, 2560, 1560).Dpi(), 192);
    EXPECT_EQ(FittingScale(144, 6, 33, 320, 200).Dpi(), kSmallestDpi);
    for (const auto& [dpi, width, height] :
         {std::array{120, 1366, 728}, std::array{96, 800, 570}}) {
        const int fitted = FittingScale(dpi, 6, 29, width, height).Dpi();
        EXPECT_LT(fitted, dpi);
        for (const int d : {fitted, fitted + 1}) {
            const DisplayScale s(d);
            EXPECT_EQ(s.FormWidth() + 6 <= width && s.FormHeight() + 29 <= height, d == fitted);
        }
    }
}

}  // namespace
}  // namespace pellinor
