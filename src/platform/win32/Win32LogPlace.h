// Where and when the support log writes on Windows.
#pragma once

#include <string>

#include "platform/LocalTime.h"

namespace pellinor {

// The user's local (not roaming) application data folder, as the shell
// names it; the LOCALAPPDATA variable when the shell gives none; empty when
// neither does.
std::string LocalAppDataFolder();

}  // namespace pellinor
