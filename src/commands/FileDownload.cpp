// The commands' download over the program's HTTP client.
#include "commands/FileDownload.h"

#include "platform/Error.h"
#include "platform/WholeFile.h"
#include "transfer/Download.h"

namespace pellinor {

StepResult HttpDownloader::DownloadOneFile(const std::string& url, const std::string& dest) {
    const FetchOutcome outcome = FetchOneFile(http_, url);
    if (arrived_) arrived_();
    if (outcome.stopped) return Failure(Step::Stopped);
    if (!outcome.whole) {
        return DownloadFailure(outcome.failed,
                               outcome.failed ? DownloadErrorText(outcome, dest) : std::string());
    }
    return WriteDownload(files_, dest, outcome.response.body);
}

StepResult WriteDownload(FileSystem& files, const std::string& dest, const std::string& body) {
    try {
        WriteWholeFile(files, dest, body);
    } catch (const Error& error) {
        StepResult result = Failure(Step::Write);
        result.text = error.what();
        return result;
    }
    return StepResult{};
}

}  // namespace pellinor
