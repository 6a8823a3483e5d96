// The progress display's repaints, at most one per kRepaintIntervalMs.
#include "window/RepaintThrottle.h"

namespace pellinor {

void RepaintThrottle::Repaint(Window& window) {
    const uint32_t now = clock_.TickCount();
    // Unsigned differences stay right across the counter's wrap at 2^32.
    if (painted_ && now - lastPaint_ < kRepaintIntervalMs) {
        owed_ = true;
        return;
    }
    window.Repaint();
    lastPaint_ = now;
    painted_ = true;
    owed_ = false;
}

void RepaintThrottle::Flush(Window& window) {
    if (!owed_) return;
    window.Repaint();
    lastPaint_ = clock_.TickCount();
    painted_ = true;
    owed_ = false;
}

}  // namespace pellinor
