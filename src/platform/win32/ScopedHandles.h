// Kernel and find handles closed on every way out of a scope.
#pragma once

#include <windows.h>

namespace pellinor {

// A handle closed by CloseHandle; Close() reports the outcome, which matters
// for a file just written (the last data may fail to reach the disk there).
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE h) : h_(h) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    BOOL Close() {
        BOOL ok = TRUE;
        if (valid()) ok = ::CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// A directory enumeration closed by FindClose.
class ScopedFindHandle {
public:
    explicit ScopedFindHandle(HANDLE h) : h_(h) {}
    ~ScopedFindHandle() {
        if (valid()) ::FindClose(h_);
    }
    ScopedFindHandle(const ScopedFindHandle&) = delete;
    ScopedFindHandle& operator=(const ScopedFindHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

}  // namespace pellinor
