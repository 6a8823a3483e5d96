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

// Holds the machine's command lock while a command changes files, and
// gives it back on every way out. Taken after the command's questions, so
// that a box left open holds nobody up.
class HeldCommandLock {
  public:
    explicit HeldCommandLock(CommandLock& lock) : lock_(lock), held_(lock.TryTake()) {}
    ~HeldCommandLock() {
        if (held_) lock_.Release();
    }
    HeldCommandLock(const HeldCommandLock&) = delete;
    HeldCommandLock& operator=(const HeldCommandLock&) = delete;
    bool Held() const { return held_; }

  private:
    CommandLock& lock_;
    bool held_;
};

}  // namespace pellinor
