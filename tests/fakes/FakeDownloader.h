// A downloader whose downloads do what the test says; the publisher puts
// up no packed files.
#pragma once

#include <functional>
#include <string>

#include "commands/FileDownload.h"

namespace pellinor {

struct FakeDownloader : Downloader {
    using Download = std::function<StepResult(const std::string& url, const std::string& dest)>;
    explicit FakeDownloader(Download d) : download(std::move(d)) {}
    StepResult DownloadOneFile(const std::string& url, const std::string& dest) override {
        return download(url, dest);
    }
    PackedResult DownloadPacked(const PackedFile&, const std::string&) override {
        return PackedResult{Failure(Step::Download), true, "\"HTTP/1.1 404 Not Found\"", 0};
    }
    void ContinueDownloads(bool) override {}
    Download download;
};

}  // namespace pellinor
