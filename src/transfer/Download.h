// One download into a local file, written only when the whole body arrived.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Window.h"
#include "transfer/HttpClient.h"
#include "window/RepaintThrottle.h"

namespace pellinor {

// kDownloadStopped: the user stopped the download to close the program. It
// is never shown, and it is positive so that no notice code and no negated
// system error number can ever be taken for it.
enum : int {
    kDownloadOk = 0,
    kDownloadIncomplete = -1,
    kDownloadFailed = -59,
    kDownloadStopped = 1,
};

struct DownloadSite {
    Window& window;
    FileSystem& files;
    HttpClient& http;
    RepaintThrottle& repaints;  // the one the progress handlers paint through
};

// What one GET of a typed address brought, before anything is written:
// the window's download and the support tool judge it by the same rules.
struct FetchOutcome {
    std::string encodedUrl;  // the address as it was sent
    HttpResponse response;   // what arrived, also when the client raised an error
    bool failed = false;     // the client raised an error: the E0059 box
    bool stopped = false;    // the user stopped it: no box, nothing written
    std::string error;       // its text
    bool whole = false;      // !failed && IsBodyWhole(response): the body may be written
};

// Encodes url and GETs it. An address that cannot be encoded is the
// caller's error and propagates; the client's errors end in the outcome.
FetchOutcome FetchOneFile(HttpClient& http, const std::string& url);

// The text of the E0059 box for a failed fetch meant for dest.
std::string DownloadErrorText(const FetchOutcome& outcome, const std::string& dest);

// What DownloadOneFile returns for the outcome: 0 whole, kDownloadStopped,
// -59 failed, else -1.
int DownloadResult(const FetchOutcome& outcome);

// Returns 0, -1, -59 or kDownloadStopped: 0 only when IsBodyWhole holds for
// what arrived. A stopped download shows no box and writes nothing.
// Errors of the URL encoding and of writing dest propagate. The window shows
// the last progress the client reported before anything is written or shown.
int DownloadOneFile(DownloadSite& site, const std::string& url, const std::string& dest);

// What the commands download with: one address into one local file.
class Downloader {
  public:
    virtual ~Downloader() = default;
    // 0, -1, -59 or kDownloadStopped, as DownloadOneFile below.
    virtual int DownloadOneFile(const std::string& url, const std::string& dest) = 0;
};

// The window's downloader: the progress on its controls, a failure in its
// E0059 box.
class WindowDownloader : public Downloader {
  public:
    explicit WindowDownloader(DownloadSite site) : site_(site) {}
    int DownloadOneFile(const std::string& url, const std::string& dest) override {
        return pellinor::DownloadOneFile(site_, url, dest);
    }

  private:
    DownloadSite site_;
};

// The progress handlers: every event moves ProgressBar1 and writes the
// status line; the window is painted through repaints.
void ShowWorkBegin(Window& window, RepaintThrottle& repaints, int64_t& fileSize,
                   int32_t workCountMax);
void ShowWork(Window& window, RepaintThrottle& repaints, int64_t fileSize, int32_t workCount,
              bool chinese, const std::string& decimalSeparator);

}  // namespace pellinor
