// One download into a local file, written only when the whole body arrived.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Window.h"
#include "transfer/HttpClient.h"

namespace pellinor {

enum : int { kDownloadOk = 0, kDownloadIncomplete = -1, kDownloadFailed = -59 };

struct DownloadSite {
    Window& window;
    FileSystem& files;
    HttpClient& http;
};

// Returns 0, -1 or -59: 0 only when IsBodyWhole holds for what arrived.
// Errors of the URL encoding and of writing dest propagate.
int DownloadOneFile(DownloadSite& site, const std::string& url, const std::string& dest);

// The progress handlers: they move ProgressBar1 and write the status line.
void ShowWorkBegin(Window& window, int64_t& fileSize, int32_t workCountMax);
void ShowWork(Window& window, int64_t fileSize, int32_t workCount, bool chinese,
              const std::string& decimalSeparator);

}  // namespace pellinor
