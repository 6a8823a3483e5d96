// The window's side of a download: the hourglass, the destination in
// Label3, the E0059 box, the progress bar and status line, and the base
// address in Edit1. What is fetched and judged stays in transfer/.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "transfer/Download.h"
#include "transfer/HttpClient.h"
#include "window/RepaintThrottle.h"
#include "window/Window.h"

namespace pellinor {

struct DownloadSite {
    Window& window;
    FileSystem& files;
    HttpClient& http;
    RepaintThrottle& repaints;  // the one the progress handlers paint through
};

// Returns 0, -1, -59 or kDownloadStopped: 0 only when IsBodyWhole holds for
// what arrived. A stopped download shows no box and writes nothing.
// Errors of the URL encoding and of writing dest propagate. The window shows
// the last progress the client reported before anything is written or shown.
int DownloadOneFile(DownloadSite& site, const std::string& url, const std::string& dest);

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

// Edit1 holds the base the downloads use, as the user may have typed it;
// a blank one is given the default before it is shown or used.
void FillBlankDownloadBase(Window& window);

}  // namespace pellinor
