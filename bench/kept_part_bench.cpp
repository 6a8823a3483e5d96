// A 4.7 MB program over a 2 KB/s hotel line, through two runs that each
// end at the download's time limit: the program's download, which keeps
// what a run could not finish and goes on from it in the next, against the
// same download without kept parts (each run starts over from byte 0).
// Time is scaled: the line carries scale times 2 KB/s and the limit is
// 30 minutes / scale, so the proportions (how much of the program one run
// carries) are the real ones.
//   kept_part_bench [scale]    (default 600: 3 s a run)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "commands/keeping/KeptParts.h"
#include "http/HttpConnection.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/Download.h"

using namespace pellinor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr size_t kProgramSize = 4700000;
constexpr double kLineBytesPerSecond = 2048;
// The line's bytes go in blocks every tenth of a (scaled) second.
constexpr std::chrono::milliseconds kBlockPause{100};

struct Runs {
    bool whole = false;
    uint64_t carried = 0;  // bytes the client took off the line in both runs
    double seconds = 0;
};

Runs TwoRuns(const std::string& url, const std::string& program, int scale, bool keep) {
    const std::string root = std::filesystem::temp_directory_path().string() + "/kept_part_bench";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root + "/Data");
    PosixFileSystem files(root);
    KeptParts parts(files, "C:\\Data");
    BoundLimits bounds;
    bounds.download =
        std::chrono::duration_cast<std::chrono::milliseconds>(kDownloadTimeLimit) / scale;
    Runs runs;
    uint64_t keptBefore = 0;
    const Clock::time_point start = Clock::now();
    for (int run = 1; run <= 2 && !runs.whole; ++run) {
        // A new run: a new client, as a new process would have.
        HttpClient client{HttpEvents{},
                          std::make_unique<HttpConnection>([] {}, kSilenceLimit, bounds)};
        const std::unique_ptr<ScratchFile> scratch = files.OpenScratchFile();
        const FetchOutcome outcome =
            FetchOneFile(client, url, scratch.get(), ResumeLimits(), keep ? &parts : nullptr);
        const uint64_t size = outcome.response.BodySize();
        runs.carried += size - std::min<uint64_t>(keptBefore, size);
        keptBefore = outcome.kept;
        if (outcome.whole) {
            std::string bytes;
            ForEachPiece(*scratch, [&](const char* d, size_t n) { bytes.append(d, n); });
            runs.whole = bytes + outcome.response.body == program;
        }
    }
    runs.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::filesystem::remove_all(root);
    return runs;
}

void Print(const char* name, const Runs& runs, double size) {
    std::printf("%-34s whole after two runs=%s  carried %.2f MB = x%.3f the program  %.1f s\n",
                name, runs.whole ? "yes" : "no", runs.carried / 1e6, runs.carried / size,
                runs.seconds);
}

}  // namespace

int main(int argc, char** argv) {
    const int scale = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
    auto program = std::make_shared<std::string>(kProgramSize, '\0');
    uint32_t x = 4700;
    for (char& c : *program) {
        x = x * 1103515245 + 12345;
        c = static_cast<char>(x >> 24);
    }
    const size_t block =
        static_cast<size_t>(kLineBytesPerSecond * scale * kBlockPause.count() / 1000.0);
    ScriptedHttpServer server;
    server.SetHandler([&](const std::string& request) {
        return RangeReply(request, program, {"ETag: \"4.7m\"", "Accept-Ranges: bytes"}, SIZE_MAX,
                          AfterReply::Close, block, kBlockPause);
    });
    std::printf("%.1f MB at 2 KB/s, runs ending after 30 min; time scaled by %d (%.1f s a run)\n",
                kProgramSize / 1e6, scale, 1800.0 / scale);
    const std::string url = server.Url("/V9/02/Tessaron.Exe");
    Print("parts kept between runs", TwoRuns(url, *program, scale, true), kProgramSize);
    Print("each run from byte 0", TwoRuns(url, *program, scale, false), kProgramSize);
    return 0;
}
