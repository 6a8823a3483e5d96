// A downloader whose downloads do what the test says.
#pragma once

#include <functional>
#include <string>

#include "commands/FileDownload.h"
#include "platform/WholeFile.h"

namespace pellinor {

struct FakeDownloader : Downloader {
    using Download = std::function<StepResult(const std::string& url, const std::string& dest)>;
    explicit FakeDownloader(Download d) : download(std::move(d)) {}
    StepResult DownloadOneFile(const std::string& url, const std::string& dest) override {
        return download(url, dest);
    }
    Download download;
};

// A whole body arrived: dest is written as the program's downloader writes
// it, whole or not at all, and a file that cannot be made or written is
// the Write step with the error's text.
inline StepResult WriteDownloaded(FileSystem& files, const std::string& dest,
                                  const std::string& bytes) {
    try {
        WriteWholeFile(files, dest, bytes);
    } catch (const Error& error) {
        StepResult result = Failure(Step::Write);
        result.text = error.what();
        return result;
    }
    return StepResult{};
}

}  // namespace pellinor
