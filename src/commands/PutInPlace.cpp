// Replacement of a target file by its finished download.
#include "commands/PutInPlace.h"

#include <cstdint>

#include "commands/FileDigest.h"
#include "log/LogEvent.h"
#include "system/Delay.h"

namespace pellinor {

namespace {
bool WorthRetrying(uint32_t error) {
    return error == kErrorAccessDenied || error == kErrorSharingViolation ||
           error == kErrorLockViolation;
}
}  // namespace

ReplaceSite WindowReplaceSite(Platform& platform) {
    return ReplaceSite{
        platform.files,
        [&platform] { return platform.system.TickCount(); },
        [&platform](uint32_t ms) { Delay(platform.window, platform.system, ms); },
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

bool LooksLikeExecutable(const std::string& bytes) {
    return bytes.size() >= 2 && bytes.compare(0, 2, "MZ") == 0;
}

}  // namespace pellinor

namespace pellinor {

int FinishDownload(const ReplaceSite& site, const std::string& temp, const std::string& target,
                   Payload payload, const std::function<bool()>& approve) {
    FileSystem& files = site.files;
    // A hotel network's login or error page can arrive with status 200; it
    // must never take the place of the lock program. Its first two bytes
    // tell, so only they are read.
    const bool program =
        payload != Payload::Executable || LooksLikeExecutable(files.ReadFile(temp, 2));
    if (!program) LogEvent("download refused: it does not begin as a Windows program does");
    if (!program || (approve && !approve())) {
        files.Remove(temp);
        return -1;
    }
    // The file is compared in pieces, never held whole: a download can be
    // as large as the memory the program has.
    const std::optional<FileDigest> written = DigestFile(files, temp);
    const uint32_t error = PutInPlace(site, temp, target);
    if (error != 0) return -static_cast<int>(error);
    if (!written || DigestFile(files, target) != written) {
        LogEvent("replace check: " + Quoted(target) + " does not hold the download, result=29");
        return -static_cast<int>(kErrorWriteFault);
    }
    return 0;
}

int FinishDownload(Platform& platform, const std::string& temp, const std::string& target,
                   Payload payload, const std::function<bool()>& approve) {
    return FinishDownload(WindowReplaceSite(platform), temp, target, payload, approve);
}

}  // namespace pellinor
