// The machine's command lock: a named mutex in the global namespace, seen
// by every session of the machine.
#pragma once

#include "platform/CommandLock.h"
#include "platform/win32/ScopedHandles.h"

namespace pellinor {

class Win32CommandLock : public CommandLock {
  public:
    bool TryTake() override;
    void Release() override;

  private:
    // Opened at the first TryTake, kept for the program's life.
    Owned<HANDLE, ::CloseHandle> mutex_;
};

}  // namespace pellinor
