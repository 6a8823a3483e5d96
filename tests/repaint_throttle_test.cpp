// The progress display's repaint throttle: at most one synchronous repaint
// per kRepaintIntervalMs, and never a state left unpainted at the end.
#include <gtest/gtest.h>

#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "window/ProgressDisplay.h"
#include "window/RepaintThrottle.h"

namespace pellinor {
namespace {

TEST(RepaintThrottle, PaintsAgainOnlyOnceTheIntervalHasPassed) {
    FakeWindow window;
    FakeSystemInfo clock;
    clock.ticks = 5000;
    RepaintThrottle repaints(clock);
    repaints.Repaint(window);
    EXPECT_EQ(window.repaints, 1);  // the first one at once

    clock.ticks = 5000 + kRepaintIntervalMs - 1;
    repaints.Repaint(window);
    EXPECT_EQ(window.repaints, 1);

    clock.ticks = 5000 + kRepaintIntervalMs;
    repaints.Repaint(window);
    EXPECT_EQ(window.repaints, 2);
}

TEST(RepaintThrottle, FlushPaintsOnlyWhatWasLeftOut) {
    FakeWindow window;
    FakeSystemInfo clock;
    RepaintThrottle repaints(clock);
    repaints.Flush(window);
    EXPECT_EQ(window.repaints, 0);  // nothing owed yet

    repaints.Repaint(window);
    repaints.Flush(window);
    EXPECT_EQ(window.repaints, 1);  // the last one was painted

    repaints.Repaint(window);
    repaints.Repaint(window);
    EXPECT_EQ(window.repaints, 1);
    repaints.Flush(window);
    EXPECT_EQ(window.repaints, 2);
    repaints.Flush(window);
    EXPECT_EQ(window.repaints, 2);
}

TEST(RepaintThrottle, CountsRightAcrossTheTickCounterWrapping) {
    FakeWindow window;
    FakeSystemInfo clock;
    clock.ticks = 0xFFFFFFFFu - 10;
    RepaintThrottle repaints(clock);
    repaints.Repaint(window);
    clock.ticks = 5;  // 16 ms later
    repaints.Repaint(window);
    EXPECT_EQ(window.repaints, 1);
    clock.ticks = kRepaintIntervalMs - 11;  // exactly the interval later
    repaints.Repaint(window);
    EXPECT_EQ(window.repaints, 2);
}

TEST(RepaintThrottle, EveryEventStillMovesTheControlsAndTheLastIsPainted) {
    FakeWindow window;
    FakeSystemInfo clock;  // standing still: every repaint after the first falls in its interval
    const bool chinese = false;
    ProgressDisplay progress(window, clock, chinese);
    progress.WorkBegin(10 * 32768);
    for (int32_t count = 32768; count <= 10 * 32768; count += 32768) {
        progress.Work(count);
        EXPECT_EQ(window.progressPosition, count);
    }
    EXPECT_EQ(window.label1History.size(), 10u);
    EXPECT_EQ(window.repaints, 1);
    EXPECT_EQ(window.paintedProgressPosition, 0);

    progress.Flush();
    EXPECT_EQ(window.paintedProgressPosition, 10 * 32768);
    EXPECT_EQ(window.paintedProgressMax, 10 * 32768);
    EXPECT_EQ(window.paintedLabel1, window.label1History.back());
}

}  // namespace
}  // namespace pellinor
