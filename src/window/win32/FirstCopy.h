// One copy of the program per session: a second start brings the first
// copy's window to the front and ends, so two copies never upgrade the same
// folder side by side.
#pragma once

#include "platform/win32/ScopedHandles.h"

namespace pellinor {

class FirstCopy {
  public:
    // Claims the session's name of the program; held until this ends.
    FirstCopy();
    // False when another copy of this session claimed the name first.
    bool IsFirst() const { return first_; }
    // Marks main as the first copy's window, so that a second copy finds
    // it, and no window of another program made from the same class name.
    static void MarkWindow(HWND main);
    // The first copy's window, or the box it shows, brought to the front.
    // False when no marked window was found.
    static bool BringToFront();

  private:
    ScopedHandle mutex_;
    bool first_ = false;
};

}  // namespace pellinor
