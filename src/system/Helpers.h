// Small system routines the commands use around a download.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace pellinor {

// Ends every process whose image name matches, from any folder.
void KillTask(Processes& processes, const std::string& imageName);

// A value of the current user's "Shell Folders" key, or empty text.
std::string GetShellFolder(Registry& registry, const std::string& valueName);

// Returns after at least milliseconds, running window messages all the while.
void Delay(Window& window, SystemInfo& system, uint32_t milliseconds);

}  // namespace pellinor
