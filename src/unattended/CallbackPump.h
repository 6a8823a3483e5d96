// The thread's message pump where there is no window: two functions given
// by whoever knows the thread (COM's messages, on Windows).
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/MessagePump.h"

namespace pellinor {

class CallbackPump : public MessagePump {
  public:
    // Either may be empty.
    CallbackPump(std::function<void()> pump, std::function<void(uint32_t)> wait)
        : pump_(std::move(pump)), wait_(std::move(wait)) {}
    void ProcessMessages() override {
        if (pump_) pump_();
    }
    void WaitForMessage(uint32_t timeoutMs) override {
        if (wait_) wait_(timeoutMs);
    }

  private:
    std::function<void()> pump_;
    std::function<void(uint32_t)> wait_;
};

}  // namespace pellinor
