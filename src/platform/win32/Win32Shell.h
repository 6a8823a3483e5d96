// The shell: desktop folder, shortcut files through the shell's shortcut
// object, and "open". COM must be initialised on the calling thread.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/Shell.h"

namespace pellinor {

class Win32Shell : public Shell {
  public:
    // owner gives the window that owns what the shell shows (may give nullptr).
    explicit Win32Shell(std::function<HWND()> owner);

    std::string DesktopFolder() override;
    std::string ShortcutWorkingDirectory(const std::string& linkFile) override;
    void Open(const std::string& file) override;

  private:
    std::function<HWND()> owner_;
};

}  // namespace pellinor
