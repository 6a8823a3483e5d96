// The machine's command lock: a named mutex in the global namespace, seen
// by every session of the machine.
#pragma once

#include "platform/CommandLock.h"

namespace pellinor {

class Win32CommandLock : public CommandLock {
  public:
    Win32CommandLock() = default;
    ~Win32CommandLock() override;
    Win32CommandLock(const Win32CommandLock&) = delete;
    Win32CommandLock& operator=(const Win32CommandLock&) = delete;

    bool TryTake() override;
    void Release() override;

  private:
    void* mutex_ = nullptr;  // opened at the first TryTake, kept for the program's life
};

}  // namespace pellinor
