// What a download tells whoever started it while it runs, and the one thing
// it may ask: the window paints its progress and asks for a proxy's
// sign-in in a box; the upgrade without a window has nobody to ask; the
// support tool prints lines. The client's events reach nobody else.
#pragma once

#include <cstdint>
#include <string>

#include "transfer/ProxyAuth.h"

namespace pellinor {

class DownloadNotify {
  public:
    virtual ~DownloadNotify() = default;
    // A body (or chunk) of workCountMax bytes begins.
    virtual void WorkBegin(int32_t workCountMax) = 0;
    // workCount bytes of it have arrived.
    virtual void Work(int32_t workCount) = 0;
    // A proxy ("host:port") asks for a Basic sign-in: true with the answer
    // in credentials, false when nobody gives one.
    virtual bool AskProxyCredentials(const std::string& proxy, ProxyCredentials& credentials) = 0;
    // The reply has ended, before a byte of it is written: whatever the
    // progress still owes is shown now, before a box or the disk can hold
    // the window up.
    virtual void Arrived() = 0;
};

}  // namespace pellinor
