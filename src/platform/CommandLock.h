// One command that changes files at a time on the whole machine: copies of
// the program in two users' sessions would otherwise share the temporary
// file's name and end the lock program under each other's feet.
#pragma once

namespace pellinor {

class CommandLock {
  public:
    virtual ~CommandLock() = default;
    // Takes the lock unless another process holds it; never waits. A
    // holder that ended without giving it back leaves it free.
    virtual bool TryTake() = 0;
    // Gives back a lock that TryTake took.
    virtual void Release() = 0;
};

}  // namespace pellinor
