// How often the progress display is painted while a download runs.
#pragma once

#include <cstdint>

#include "platform/SystemInfo.h"
#include "window/Window.h"

namespace pellinor {

// The shortest time between two synchronous repaints of the window during a
// download. A repaint costs a few milliseconds (far more under Wine), and
// the client reports every 32 KiB: painting each report made a fast
// download wait on the screen. Under 40 ms the eye sees the bar move
// smoothly, and what is shown trails what arrived by no more than that
// (plus the clock's own step of up to 16 ms on Windows).
constexpr uint32_t kRepaintIntervalMs = 35;

class RepaintThrottle {
  public:
    explicit RepaintThrottle(SystemInfo& clock) : clock_(clock) {}

    // Paints the window now unless the last repaint was less than
    // kRepaintIntervalMs ago; a repaint left out is remembered for Flush.
    void Repaint(Window& window);
    // Paints the window now if a repaint was left out since the last one,
    // so that the screen shows the final state.
    void Flush(Window& window);

  private:
    SystemInfo& clock_;
    uint32_t lastPaint_ = 0;
    bool painted_ = false;  // lastPaint_ holds a time
    bool owed_ = false;     // a repaint was left out since the last one
};

}  // namespace pellinor
