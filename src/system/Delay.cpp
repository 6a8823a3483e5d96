// Waiting while the window stays live.
#include "system/Delay.h"

namespace pellinor {

void Delay(MessagePump& messages, SystemInfo& system, uint32_t milliseconds) {
    const uint32_t start = system.TickCount();
    // Unsigned differences stay right across the counter's wrap at 2^32.
    uint32_t elapsed = 0;
    while ((elapsed = system.TickCount() - start) < milliseconds) {
        messages.ProcessMessages();
        elapsed = system.TickCount() - start;
        if (elapsed >= milliseconds) break;
        // Sleeping until a message or the deadline keeps the window just as
        // live as spinning would, without holding a processor busy.
        messages.WaitForMessage(milliseconds - elapsed);
    }
}

}  // namespace pellinor
