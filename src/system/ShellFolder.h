// The folders the current user's "Shell Folders" key names.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace pellinor {

// A value of the current user's "Shell Folders" key, or empty text.
std::string GetShellFolder(Registry& registry, const std::string& valueName);

}  // namespace pellinor
