// The layout at the display's scale: lengths to the nearest pixel, edges
// that keep meeting and keep apart at every DPI, and the scale that fits a
// small screen's work area.
#include <gtest/gtest.h>

#include "window/DisplayScale.h"

namespace pellinor {
namespace {

bool Apart(const PixelRect& a, const PixelRect& b) {
    return a.Right() <= b.left || b.Right() <= a.left || a.Bottom() <= b.top || b.Bottom() <= a.top;
}

TEST(DisplayScale, RoundsEachLengthToTheNearestPixel) {
    struct Case {
        int dpi, units, pixels;
    };
    for (const Case c : {Case{96, 913, 913}, Case{120, 3, 4}, Case{120, 11, 14}, Case{120, 1, 1},
                         Case{144, 25, 38}, Case{144, 1, 2}, Case{144, 555, 833},
                         Case{192, 555, 1110}, Case{72, 2, 2}, Case{120, -2, -3}}) {
        EXPECT_EQ(DisplayScale(c.dpi).Pixels(c.units), c.pixels) << c.dpi << " " << c.units;
    }
}

TEST(DisplayScale, EveryControlKeepsItsPlaceAmongTheOthersAtEveryDpi) {
    const DisplayScale design;
    for (const ControlLayout& layout : ControlLayouts()) {
        const PixelRect r = design.Rect(layout);
        EXPECT_EQ(r.left, layout.left);
        EXPECT_EQ(r.Right(), layout.left + layout.width);
        EXPECT_EQ(r.Bottom(), layout.top + layout.height);
    }
    for (int dpi = kSmallestDpi; dpi <= 3 * kLayoutDpi; ++dpi) {
        const DisplayScale scale(dpi);
        for (const ControlLayout& a : ControlLayouts()) {
            const PixelRect ra = scale.Rect(a);
            EXPECT_TRUE(ra.left >= 0 && ra.top >= 0 && ra.Right() <= scale.Pixels(kClientWidth) &&
                        ra.Bottom() <= scale.Pixels(kClientHeight))
                << dpi << " " << ControlId(a.control);
            for (const ControlLayout& b : ControlLayouts()) {
                const PixelRect rb = scale.Rect(b);
                if (Apart(design.Rect(a), design.Rect(b))) {
                    EXPECT_TRUE(Apart(ra, rb)) << dpi << " " << ControlId(a.control);
                }
                // Edges that line up at 100 % line up at every scale.
                if (a.left + a.width == b.left) EXPECT_EQ(ra.Right(), rb.left) << dpi;
                if (a.top + a.height == b.top) EXPECT_EQ(ra.Bottom(), rb.top) << dpi;
                if (a.left == b.left) EXPECT_EQ(ra.left, rb.left) << dpi;
            }
        }
    }
}

TEST(DisplayScale, ShrinksOnlyAsFarAsTheWorkAreaNeeds) {
    struct Case {
        int dpi, frameWidth, frameHeight, workWidth, workHeight;
        int expected;  // 0: the largest that fits, below dpi
    };
    // A 1366 x 768 laptop at 125 % with its taskbar; the same at 100 %;
    // 200 % on a 2560 x 1600 screen; an 800 x 600 screen; a screen too small
    // for any readable size.
    for (const Case c : {Case{120, 6, 29, 1366, 728, 0}, Case{96, 6, 25, 1366, 728, 96},
                         Case{192, 6, 43, 2560, 1560, 192}, Case{96, 6, 25, 800, 570, 0},
                         Case{144, 6, 33, 320, 200, kSmallestDpi}}) {
        const DisplayScale fitted =
            FittingScale(c.dpi, c.frameWidth, c.frameHeight, c.workWidth, c.workHeight);
        if (c.expected) {
            EXPECT_EQ(fitted.Dpi(), c.expected);
            continue;
        }
        EXPECT_LT(fitted.Dpi(), c.dpi);
        EXPECT_LE(fitted.FormWidth() + c.frameWidth, c.workWidth);
        EXPECT_LE(fitted.FormHeight() + c.frameHeight, c.workHeight);
        const DisplayScale larger(fitted.Dpi() + 1);
        EXPECT_TRUE(larger.FormWidth() + c.frameWidth > c.workWidth ||
                    larger.FormHeight() + c.frameHeight > c.workHeight);
    }
}

}  // namespace
}  // namespace pellinor
