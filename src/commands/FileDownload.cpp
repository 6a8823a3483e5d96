// The commands' download over the program's HTTP client.
#include "commands/FileDownload.h"

#include <memory>

#include "log/LogEvent.h"
#include "platform/Error.h"
#include "platform/WholeFile.h"
#include "transfer/Download.h"

namespace pellinor {

namespace {
// Done, or Write with the error's text.
template <typename Write>
StepResult Written(const Write& write) {
    try {
        write();
    } catch (const Error& error) {
        StepResult result = Failure(Step::Write);
        result.text = error.what();
        return result;
    }
    return StepResult{};
}
}  // namespace

StepResult HttpDownloader::DownloadOneFile(const std::string& url, const std::string& dest) {
    // A program of many megabytes passes through a file of its own, not
    // the memory of an old PC; without one it is held in memory whole.
    const std::unique_ptr<ScratchFile> scratch = files_.OpenScratchFile();
    if (!scratch) LogEvent("download held in memory: no scratch file in the temporary folder");
    const FetchOutcome outcome = FetchOneFile(http_, url, scratch.get(), ResumeLimits(), parts_);
    if (arrived_) arrived_();
    if (outcome.stopped) return Failure(Step::Stopped);
    if (!outcome.whole) {
        StepResult result = DownloadFailure(
            outcome.failed, outcome.failed ? DownloadErrorText(outcome, dest) : std::string());
        result.keptBytes = outcome.kept;
        return result;
    }
    return Written([&] { WriteWholeBody(files_, dest, outcome.response, scratch.get()); });
}

StepResult WriteDownload(FileSystem& files, const std::string& dest, const std::string& body) {
    return Written([&] { WriteWholeFile(files, dest, body); });
}

}  // namespace pellinor
