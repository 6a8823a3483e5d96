// The progress of a download on screen: ProgressBar1 and the status line
// in Label1, painted through the repaint throttle. The client's progress
// events come straight here.
#pragma once

#include <cstdint>
#include <string>

#include "platform/SystemInfo.h"
#include "window/RepaintThrottle.h"
#include "window/Window.h"

namespace pellinor {

class ProgressDisplay {
  public:
    ProgressDisplay(Window& window, SystemInfo& clock, bool chinese)
        : window_(window), repaints_(clock), chinese_(chinese) {}

    // A body (or chunk) of workCountMax bytes begins: the bar starts over.
    void WorkBegin(int32_t workCountMax);
    // workCount bytes of it have arrived.
    void Work(int32_t workCount);
    // Paints what a left-out repaint owes, so the screen shows the final
    // state before a box or the disk can hold the window up.
    void Flush() { repaints_.Flush(window_); }
    // The regional settings' separator, read again when the user changes them.
    void SetDecimalSeparator(const std::string& separator) { decimalSeparator_ = separator; }
    // The status line follows the language as the user switches it.
    void SetLanguage(bool chinese) { chinese_ = chinese; }

  private:
    Window& window_;
    RepaintThrottle repaints_;
    bool chinese_;
    std::string decimalSeparator_ = ".";
    int32_t announced_ = 0;  // by the latest WorkBegin
};

}  // namespace pellinor
