// The shell: the desktop folder, shortcut files and opening documents.
#pragma once

#include <string>

namespace pellinor {

class Shell {
  public:
    virtual ~Shell() = default;
    // The current user's desktop folder as the shell names it; empty on failure.
    virtual std::string DesktopFolder() = 0;
    // The working folder stored in a shortcut file, or empty text when it
    // cannot be read. Throws pellinor::Error when no shortcut object can be made.
    virtual std::string ShortcutWorkingDirectory(const std::string& linkFile) = 0;
    // The shell's "open" of a file (starts a program, opens an archive).
    virtual void Open(const std::string& file) = 0;
};

}  // namespace pellinor
