// The thread's message queue: what keeps a window alive, and COM's calls
// answered, while the program waits or works on its one thread.
#pragma once

#include <cstdint>

namespace pellinor {

class MessagePump {
  public:
    virtual ~MessagePump() = default;
    // Runs every pending message, nested handlers included, and returns.
    virtual void ProcessMessages() = 0;
    // Returns when a message arrives or after timeoutMs, whichever is first.
    virtual void WaitForMessage(uint32_t timeoutMs) = 0;
};

}  // namespace pellinor
