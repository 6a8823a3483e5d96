// Polling with a deadline: the Wine tests wait for another process's window
// to change, which no event announces.
#pragma once

#include <windows.h>

#include <cstdint>

namespace pellinor::e2e {

constexpr uint32_t kDefaultTimeoutMs = 10000;
constexpr uint32_t kPollMs = 25;

// True as soon as condition() holds; false when timeoutMs passed without it.
template <typename Condition>
bool WaitUntil(Condition condition, uint32_t timeoutMs = kDefaultTimeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount() - start >= timeoutMs) return condition();
        ::Sleep(kPollMs);
    }
}

}  // namespace pellinor::e2e
