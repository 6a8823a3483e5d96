// A 16 MiB download over a line that drops every 4 MiB, served from
// 127.0.0.1 in this run at a hotel line's pace: the program's download,
// which resumes where the line dropped, against a client that starts over
// from byte 0 after each drop (the same pause between tries), and against
// the same download over a line that never drops.
//   resume_bench [rounds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "support/ScriptedHttpServer.h"
#include "transfer/Download.h"

using namespace pellinor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr size_t kBodySize = size_t{16} << 20;
constexpr size_t kDropEvery = size_t{4} << 20;
// 256 KiB every 50 ms, about 5 MiB/s: the line's pace, so that the bytes
// carried again cost what they would on a real line (on 127.0.0.1 they
// cost nearly nothing).
constexpr size_t kBlock = size_t{256} << 10;
constexpr std::chrono::milliseconds kBlockPause{50};

std::shared_ptr<const std::string> Body() {
    auto body = std::make_shared<std::string>(kBodySize, '\0');
    uint32_t x = 12345;
    for (char& c : *body) {
        x = x * 1103515245 + 12345;
        c = static_cast<char>(x >> 24);
    }
    return body;
}

// The line: it drops the connection once the transfer reaches each 4 MiB
// mark of the file for the first time (4, 8 and 12 MiB: three drops in the
// download, however it is asked for again), or, with everyTime, whenever a
// connection has carried 4 MiB (a client that starts over never gets past
// the first 4 MiB then).
class DroppingLine {
  public:
    DroppingLine(std::shared_ptr<const std::string> body, bool drops, bool everyTime)
        : body_(std::move(body)), drops_(drops), everyTime_(everyTime) {
        server_.SetHandler([this](const std::string& request) {
            std::lock_guard<std::mutex> hold(lock_);
            const size_t from = RangeStart(request);
            size_t end = SIZE_MAX;
            if (drops_ && everyTime_) {
                end = from + kDropEvery;
            } else if (drops_) {
                // The next mark past where this request starts that the
                // line has not dropped at yet.
                end = std::max((from / kDropEvery + 1) * kDropEvery, passed_ + kDropEvery);
            }
            if (end < body_->size()) passed_ = std::max(passed_, end);
            sent_ += std::min(end, body_->size()) - from;
            return RangeReply(request, body_, {"ETag: \"16m\""}, end, AfterReply::Close, kBlock,
                              kBlockPause);
        });
    }
    std::string Url() const { return server_.Url("/V9/02/Tessaron.Exe"); }
    size_t Sent() {
        std::lock_guard<std::mutex> hold(lock_);
        return sent_;
    }

  private:
    std::shared_ptr<const std::string> body_;
    bool drops_, everyTime_;
    std::mutex lock_;
    size_t passed_ = 0;  // the furthest mark the line dropped at
    size_t sent_ = 0;    // bytes of the file the line carried
    ScriptedHttpServer server_;
};

struct Run {
    double seconds = 0;
    bool whole = false;
    int tries = 0;
    double mib = 0;  // carried by the line
};

// The program's own download, resuming.
Run Resuming(DroppingLine& line, const std::string& expected) {
    HttpClient client{HttpEvents{}};
    const Clock::time_point start = Clock::now();
    const FetchOutcome outcome = FetchOneFile(client, line.Url());
    Run run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.whole = outcome.whole && outcome.response.body == expected;
    run.tries = outcome.tries;
    run.mib = line.Sent() / 1048576.0;
    return run;
}

// A client that starts over after every drop: one try each, with the same
// pause and the same number of tries.
Run StartingOver(DroppingLine& line, const std::string& expected) {
    HttpClient client{HttpEvents{}};
    const Clock::time_point start = Clock::now();
    Run run;
    for (run.tries = 1; run.tries <= kMaxDownloadTries; ++run.tries) {
        const FetchOutcome outcome = FetchOneFile(client, line.Url(), nullptr, ResumeLimits{1, {}});
        run.whole = outcome.whole && outcome.response.body == expected;
        if (run.whole || run.tries == kMaxDownloadTries) break;
        client.Pause(kResumePause);
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.mib = line.Sent() / 1048576.0;
    return run;
}

void Print(const char* name, const Run& run, double baseline) {
    std::printf("%-42s %6.2f s  x%.2f  whole=%s tries=%d  carried %.0f MiB\n", name, run.seconds,
                run.seconds / baseline, run.whole ? "yes" : "no", run.tries, run.mib);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1;
    const auto body = Body();
    std::printf("16 MiB at about 5 MiB/s; the line drops every 4 MiB; pause %lld ms, %d tries\n",
                static_cast<long long>(kResumePause.count()), kMaxDownloadTries);
    for (int round = 1; round <= rounds; ++round) {
        std::printf("round %d (ratios against the line that never drops)\n", round);
        DroppingLine clean(body, false, false);
        const Run steady = Resuming(clean, *body);
        Print("no drops", steady, steady.seconds);
        DroppingLine once(body, true, false);
        const Run resumed = Resuming(once, *body);
        Print("drops at 4, 8, 12 MiB: resuming", resumed, steady.seconds);
        DroppingLine again(body, true, false);
        const Run over = StartingOver(again, *body);
        Print("drops at 4, 8, 12 MiB: starting over", over, steady.seconds);
        std::printf("resuming takes x%.2f the time of starting over\n",
                    resumed.seconds / over.seconds);
        DroppingLine every(body, true, true);
        Print("every 4 MiB of a connection: resuming", Resuming(every, *body), steady.seconds);
        DroppingLine everyAgain(body, true, true);
        Print("every 4 MiB of a connection: starting over", StartingOver(everyAgain, *body),
              steady.seconds);
    }
    return 0;
}
