// Replacement of a target file by its finished download.
#include "commands/PutInPlace.h"

#include <cstdint>

#include "system/Helpers.h"

namespace pellinor {

namespace {
bool WorthRetrying(uint32_t error) {
    return error == kErrorAccessDenied || error == kErrorSharingViolation ||
           error == kErrorLockViolation;
}
}  // namespace

uint32_t PutInPlace(Platform& platform, const std::string& temp, const std::string& target) {
    FileSystem& files = platform.files;
    if (files.FileExists(target) && files.IsReadOnly(target)) return kErrorAccessDenied;

    const uint32_t start = platform.system.TickCount();
    for (;;) {
        const uint32_t error = files.ReplaceFile(temp, target);
        if (error == 0 || !WorthRetrying(error)) return error;
        if (platform.system.TickCount() - start >= kReplaceRetryMs) return error;
        Delay(platform.window, platform.system, kReplaceRetryPauseMs);
    }
}

bool LooksLikeExecutable(const std::string& bytes) {
    return bytes.size() >= 2 && bytes.compare(0, 2, "MZ") == 0;
}

}  // namespace pellinor

namespace pellinor {

int FinishDownload(Platform& platform, const std::string& temp, const std::string& target,
                   Payload payload, const std::function<bool()>& approve) {
    FileSystem& files = platform.files;
    const std::string bytes = files.ReadFile(temp, SIZE_MAX);
    // A hotel network's login or error page can arrive with status 200; it
    // must never take the place of the lock program.
    if ((payload == Payload::Executable && !LooksLikeExecutable(bytes)) ||
        (approve && !approve())) {
        files.DeleteFile(temp);
        return -1;
    }
    const uint32_t error = PutInPlace(platform, temp, target);
    if (error != 0) return -static_cast<int>(error);
    if (files.ReadFile(target, bytes.size() + 1) != bytes)
        return -static_cast<int>(kErrorWriteFault);
    return 0;
}

}  // namespace pellinor
