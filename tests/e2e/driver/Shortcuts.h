// Real shortcut files, made through the shell's shortcut object as Explorer
// makes them, and the desktops they are put on. COM must be initialised.
#pragma once

#include <string>

namespace pellinor::e2e {

// The current user's desktop and the Public desktop as files see them,
// ending in "\".
std::string UserDesktopFolder();
std::string PublicDesktopFolder();

// Writes a shortcut file to linkPath that starts target in workingDirectory
// (which may be empty: a shortcut without a working folder).
bool MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& workingDirectory);

}  // namespace pellinor::e2e
