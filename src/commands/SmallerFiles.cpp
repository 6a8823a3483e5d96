// The chain of files of one download, and the log lines that say which
// came and why the others did not.
#include "commands/SmallerFiles.h"

#include "commands/FrameDecoder.h"
#include "commands/signatures/Sha256.h"
#include "log/LogEvent.h"
#include "log/LogLine.h"

namespace pellinor {

namespace {

// Whatever way the chain ends, the next command's download has a time
// limit of its own.
class OneTimeLimit {
  public:
    explicit OneTimeLimit(Downloader& downloader) : downloader_(downloader) {}
    ~OneTimeLimit() { downloader_.ContinueDownloads(false); }
    OneTimeLimit(const OneTimeLimit&) = delete;
    OneTimeLimit& operator=(const OneTimeLimit&) = delete;
    // The first file starts the limit; every later one goes on with it.
    void Next() { downloader_.ContinueDownloads(asked_++ > 0); }

  private:
    Downloader& downloader_;
    int asked_ = 0;
};

std::string Size(const std::optional<uint64_t>& size) {
    return size ? std::to_string(*size) : std::string("unknown");
}

}  // namespace

std::string PatchUrl(const std::string& url, const std::string& sha256) {
    return url + kPatchInfix + sha256 + kCompressedSuffix;
}

std::vector<PackedFile> PackedFilesFor(FileSystem& files, const std::string& url,
                                       const std::string& reference) {
    std::vector<PackedFile> packed;
    if (!reference.empty()) {
        const std::optional<uint64_t> size = files.FileSize(reference);
        const std::optional<std::string> sha256 =
            size && *size <= kMaxPatchReference ? Sha256OfFile(files, reference) : std::nullopt;
        if (sha256) {
            packed.push_back({PatchUrl(url, *sha256), url, reference});
        } else {
            LogEvent("no patch asked: the installed program " + Quoted(reference) +
                     " size=" + Size(size) + " cannot be read whole or is over " +
                     std::to_string(kMaxPatchReference));
        }
    }
    packed.push_back({url + kCompressedSuffix, url, std::string()});
    return packed;
}

ChainResult DownloadSmallest(CommandSite& site, const CommandPlan& plan,
                             const std::function<StepResult()>& admit) {
    Downloader& downloader = site.downloader;
    FileSystem& files = site.platform.files;
    OneTimeLimit limit(downloader);
    std::vector<PackedFile> packed;
    if (plan.smaller != Smaller::None)
        packed = PackedFilesFor(files, plan.url,
                                plan.smaller == Smaller::CompressedOrPatch ? plan.target : "");
    for (const PackedFile& file : packed) {
        limit.Next();
        const PackedResult got = downloader.DownloadPacked(file, plan.temp);
        const std::string named = "smaller file " + AddressForLog(file.url);
        const std::string carried = " carried=" + std::to_string(got.carried);
        if (got.passedOver) {
            LogEvent(named + " passed over: " + got.reason + carried);
            continue;
        }
        if (!got.result.Ok()) {
            LogEvent(named + " ended the download: " + StepName(got.result.step) + carried);
            return ChainResult{got.result, false};
        }
        // Measured before the checks, which remove what they refuse.
        const std::string program = " program=" + Size(files.FileSize(plan.temp));
        const StepResult admitted = admit();
        if (admitted.Ok()) {
            LogEvent(named + " taken" + carried + program);
            return ChainResult{admitted, true};
        }
        LogEvent(named + " passed over: refused by the checks (" + StepName(admitted.step) + ")" +
                 carried + program);
    }
    limit.Next();
    return ChainResult{downloader.DownloadOneFile(plan.url, plan.temp), false};
}

}  // namespace pellinor
