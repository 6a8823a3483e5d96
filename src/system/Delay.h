// Waiting while the window stays live.
#pragma once

#include <cstdint>

#include "platform/SystemInfo.h"
#include "window/Window.h"

namespace pellinor {

// Returns after at least milliseconds, running window messages all the while.
void Delay(Window& window, SystemInfo& system, uint32_t milliseconds);

}  // namespace pellinor
