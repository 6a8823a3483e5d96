// Waiting while the window stays live.
#pragma once

#include <cstdint>

#include "platform/MessagePump.h"
#include "platform/SystemInfo.h"

namespace pellinor {

// Returns after at least milliseconds, running the thread's messages all the while.
void Delay(MessagePump& messages, SystemInfo& system, uint32_t milliseconds);

}  // namespace pellinor
