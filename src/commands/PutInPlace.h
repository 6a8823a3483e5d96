// Putting a finished download in the place of its target.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "commands/StepResult.h"
#include "system/Platform.h"

namespace pellinor {

// How long a held target is retried before the replacement gives up.
constexpr uint32_t kReplaceRetryMs = 3000;
constexpr uint32_t kReplaceRetryPauseMs = 250;

// What a replacement needs besides the files: a clock for its retries and a
// pause between them. The window's pause runs its messages; a console
// program without a window simply sleeps.
struct ReplaceSite {
    FileSystem& files;
    std::function<uint32_t()> tickCount;  // milliseconds, wrapping at 2^32
    std::function<void(uint32_t milliseconds)> pause;
};

// A command's site: the platform's clock, and Delay for the pause, which
// keeps the thread's messages running.
ReplaceSite PumpingReplaceSite(Platform& platform);

// Moves temp onto target in one step, so the target is never missing: it is
// either the old file or the complete new one. A read-only target is refused
// outright (Windows refuses to replace it; Wine would not, and both must
// behave alike). A target held by another process is retried for a few
// seconds: a virus scanner or the just-ended program may still have it open.
// Returns 0 or the system error code of the last attempt.
uint32_t PutInPlace(const ReplaceSite& site, const std::string& temp, const std::string& target);

// The last steps of every download: puts temp in the place of target and
// checks that target now holds it. Done; Replace with the system's code
// (temp left as it is, target untouched); or Verify.
StepResult ReplaceAndVerify(const ReplaceSite& site, const std::string& temp,
                            const std::string& target);

}  // namespace pellinor
