// Replacement of a target file by its finished download.
#include "commands/PutInPlace.h"

#include <cstdint>

#include "commands/signatures/FileDigest.h"
#include "log/LogEvent.h"
#include "system/Delay.h"

namespace pellinor {

namespace {
bool WorthRetrying(uint32_t error) {
    return error == kErrorAccessDenied || error == kErrorSharingViolation ||
           error == kErrorLockViolation;
}
}  // namespace

ReplaceSite PumpingReplaceSite(Platform& platform) {
    return ReplaceSite{
        platform.files,
        [&platform] { return platform.system.TickCount(); },
        [&platform](uint32_t ms) { Delay(platform.messages, platform.system, ms); },
    };
}

uint32_t PutInPlace(const ReplaceSite& site, const std::string& temp, const std::string& target) {
    FileSystem& files = site.files;
    if (files.FileExists(target) && files.IsReadOnly(target)) {
        LogEvent("replace " + Quoted(target) + " refused: read-only, result=5");
        return kErrorAccessDenied;
    }

    const uint32_t start = site.tickCount();
    for (int attempts = 1;; ++attempts) {
        const uint32_t error = files.Replace(temp, target);
        if (error == 0 || !WorthRetrying(error) || site.tickCount() - start >= kReplaceRetryMs) {
            LogEvent("replace " + Quoted(temp) + " -> " + Quoted(target) +
                     " attempts=" + std::to_string(attempts) + " result=" + std::to_string(error));
            return error;
        }
        site.pause(kReplaceRetryPauseMs);
    }
}

StepResult ReplaceAndVerify(const ReplaceSite& site, const std::string& temp,
                            const std::string& target) {
    // The file is compared in pieces, never held whole: a download can be
    // as large as the memory the program has.
    const std::optional<FileDigest> written = DigestFile(site.files, temp);
    const uint32_t error = PutInPlace(site, temp, target);
    if (error != 0) return ReplaceFailure(error);
    if (!written || DigestFile(site.files, target) != written) {
        LogEvent("replace check: " + Quoted(target) + " does not hold the download, result=29");
        return Failure(Step::Verify);
    }
    return StepResult{};
}

}  // namespace pellinor
