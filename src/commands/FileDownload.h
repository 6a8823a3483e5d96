// One address downloaded into one new local file, judged whole before a
// byte of it is written.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "commands/FrameDecoder.h"
#include "commands/StepResult.h"
#include "platform/FileSystem.h"
#include "transfer/HttpClient.h"
#include "transfer/PartKeeping.h"

namespace pellinor {

// A compressed program, or a patch made from the installed one, tried
// before the program itself because it brings the program in fewer bytes.
struct PackedFile {
    std::string url;
    std::string programUrl;  // the program's own: a box that ends the download names it
    std::string reference;   // a patch's: the installed program; empty for a compressed file
};

// How a packed file's download ended.
struct PackedResult {
    // Done: dest holds the decoded file. A failure ends the download: the
    // user's stop, a server that cannot be reached or stops answering (the
    // next file would wait the same way), a write that failed.
    StepResult result;
    // Not taken, and the next file may still come: the server answered
    // other than 2xx, or the frame did not decode within its bounds.
    bool passedOver = false;
    std::string reason;    // why, for the log
    uint64_t carried = 0;  // the bytes its body brought
};

// What the commands download with.
class Downloader {
  public:
    virtual ~Downloader() = default;
    // Done with dest holding the whole body; Stopped (nothing written);
    // Download; or Write, when dest could not be made or written whole.
    // An address that cannot be encoded is the caller's error and propagates.
    virtual StepResult DownloadOneFile(const std::string& url, const std::string& dest) = 0;
    // The same for a packed file: dest receives the file it decodes to.
    virtual PackedResult DownloadPacked(const PackedFile& packed, const std::string& dest) = 0;
    // On: each download from now on goes on with the time limit of the one
    // before, as the files a command tries in turn are one download.
    virtual void ContinueDownloads(bool on) = 0;
};

// Decodes the zstd frame that a fetched body holds (its first
// response.spilled bytes in body) with reference as its prefix, and writes
// what it decodes to at dest as a new file, whole or not at all. A fault
// leaves dest unwritten; a write that fails throws as WriteWholeFile does.
FrameFault DecodeBody(FileSystem& files, const HttpResponse& response, ScratchFile* body,
                      const std::string& reference, const std::string& dest);

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
    PackedResult DownloadPacked(const PackedFile& packed, const std::string& dest) override;
    void ContinueDownloads(bool on) override { http_.ContinueDownload(on); }
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
