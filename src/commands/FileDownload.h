// One address downloaded into one new local file, judged whole before a
// byte of it is written.
#pragma once

#include <string>

#include "commands/CommandResult.h"
#include "platform/FileSystem.h"
#include "transfer/HttpClient.h"

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

class HttpDownloader : public Downloader {
  public:
    HttpDownloader(HttpClient& http, FileSystem& files) : http_(http), files_(files) {}
    StepResult DownloadOneFile(const std::string& url, const std::string& dest) override;

  private:
    HttpClient& http_;
    FileSystem& files_;
};

}  // namespace pellinor
