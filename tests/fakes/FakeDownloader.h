// A downloader whose downloads do what the test says.
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
    Download download;
};

}  // namespace pellinor
