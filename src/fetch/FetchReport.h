// What the support tool prints about a fetch: a progress line for each
// body that begins, throttled lines while it arrives, and the summary line.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "transfer/Download.h"
#include "transfer/TransferLog.h"

namespace pellinor {

// At most one "work" line this often: a large file reports every 32 KiB,
// which would scroll a console faster than anyone on the phone can read
// it, while a line a second still shows a stall as it happens.
constexpr std::chrono::milliseconds kProgressLineInterval{1000};

class ProgressLines {
  public:
    using Clock = std::chrono::steady_clock;

    // write receives whole lines, each ending in "\n".
    explicit ProgressLines(std::function<void(const std::string&)> write);

    // The client's events, with the moment they came.
    void WorkBegin(int32_t workCountMax, Clock::time_point now);
    void Work(int32_t workCount, Clock::time_point now);

  private:
    std::function<void(const std::string&)> write_;
    uint32_t announced_ = 0;
    Clock::time_point lastLine_{};
    bool anyLine_ = false;
};

// One line without its line end: the final address, the status line, the
// framing, the bytes announced and received, whether the body is whole,
// the proxy of the last request ("direct" without one), its TLS ("none"
// for http, else the protocol and cipher, quoted), the time taken and the
// GETs it took (more than one when a cut body was resumed).
std::string SummaryLine(const FetchOutcome& outcome, std::chrono::nanoseconds taken);

}  // namespace pellinor
