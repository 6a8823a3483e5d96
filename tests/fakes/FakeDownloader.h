// A downloader whose downloads do what the test says.
#pragma once

#include <functional>
#include <string>

#include "transfer/Download.h"

namespace pellinor {

struct FakeDownloader : Downloader {
    explicit FakeDownloader(std::function<int(const std::string& url, const std::string& dest)> d)
        : download(std::move(d)) {}
    int DownloadOneFile(const std::string& url, const std::string& dest) override {
        return download(url, dest);
    }
    std::function<int(const std::string& url, const std::string& dest)> download;
};

}  // namespace pellinor
