// One address downloaded into one new local file, judged whole before a
// byte of it is written.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "commands/StepResult.h"
#include "platform/FileSystem.h"
#include "transfer/HttpClient.h"
#include "transfer/PartKeeping.h"

namespace pellinor {

// What the commands download with.
class Downloader {
  public:
    virtual ~Downloader() = default;
    // Done with dest holding the whole body; Stopped (nothing written);
    // Download; or Write, when dest could not be made or written whole.
    // An address that cannot be encoded is the caller's error and propagates.
    virtual StepResult DownloadOneFile(const std::string& url, const std::string& dest) = 0;
};

// A whole body that arrived, written to dest as a new file, whole or not
// at all: Done, or Write with the error's text.
StepResult WriteDownload(FileSystem& files, const std::string& dest, const std::string& body);

class HttpDownloader : public Downloader {
  public:
    // arrived, when given, runs once the reply has ended and before a byte
    // is written: the window paints the progress it still owes, so what it
    // shows is final before a box or the disk can hold it up.
    HttpDownloader(HttpClient& http, FileSystem& files, std::function<void()> arrived = {})
        : http_(http), files_(files), arrived_(std::move(arrived)) {}
    StepResult DownloadOneFile(const std::string& url, const std::string& dest) override;
    // What a download cannot finish is kept there for the next run, and
    // what an earlier run kept is asked to go on; none: nothing is kept.
    void KeepPartsWith(PartKeeping* parts) { parts_ = parts; }

  private:
    HttpClient& http_;
    FileSystem& files_;
    PartKeeping* parts_ = nullptr;
    std::function<void()> arrived_;
};

}  // namespace pellinor
