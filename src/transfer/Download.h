// One download into a local file, written only when the whole body arrived.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Window.h"
#include "transfer/HttpClient.h"
#include "window/RepaintThrottle.h"

namespace pellinor {

enum : int { kDownloadOk = 0, kDownloadIncomplete = -1, kDownloadFailed = -59 };

struct DownloadSite {
    Window& window;
    FileSystem& files;
    HttpClient& http;
    RepaintThrottle& repaints;  // the one the progress handlers paint through
};

// Returns 0, -1 or -59: 0 only when IsBodyWhole holds for what arrived.
// Errors of the URL encoding and of writing dest propagate. The window shows
// the last progress the client reported before anything is written or shown.
int DownloadOneFile(DownloadSite& site, const std::string& url, const std::string& dest);

// The progress handlers: every event moves ProgressBar1 and writes the
// status line; the window is painted through repaints.
void ShowWorkBegin(Window& window, RepaintThrottle& repaints, int64_t& fileSize,
                   int32_t workCountMax);
void ShowWork(Window& window, RepaintThrottle& repaints, int64_t fileSize, int32_t workCount,
              bool chinese, const std::string& decimalSeparator);

}  // namespace pellinor
