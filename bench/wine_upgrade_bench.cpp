// The upgrade of the real Pellinor.exe under Wine against curl, in one run:
// a server on 127.0.0.1 sends a 16 MiB executable; each round the Windows
// program upgrade_bench.exe has Pellinor.exe upgrade an installation found
// through a desktop shortcut (and times both programs' start), then curl
// fetches the same file, which is flushed and renamed into place as the
// program does. Rounds alternate, so both see the same load of the machine.
// Prints medians; asserts nothing. Runs inside tests/e2e/wine-session
// (scripts/bench does both). With "patched", the server also has the
// program's patch from the installed one (zstd, as scripts/publish makes
// it), which the upgrade takes instead: the peak memory of a decoding
// upgrade, whose reference is held whole.
//   wine_upgrade_bench WINDOWS_BIN [rounds] [patched]
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "commands/signatures/Sha256.h"
#include "e2e/helpers/VersionTrailer.h"
#include "support/PublishedFrame.h"
#include "support/ScriptedHttpServer.h"

using namespace pellinor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr size_t kBodySize = size_t{16} << 20;
// The pause the program makes on purpose before it downloads: the ended
// lock program may hold its file a moment longer.
constexpr double kDeliberatePauseSeconds = 1.0;
// The first round of each side fills caches and starts Wine's services.
constexpr int kWarmUpRounds = 1;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The served program: the lock program's stand-in, padded to the size with
// bytes that do not compress.
std::string MakeBody(const std::string& program) {
    std::string body = program.substr(0, kBodySize);
    uint32_t x = 12345;
    body.reserve(kBodySize);
    while (body.size() < kBodySize) {
        x = x * 1103515245 + 12345;
        body += static_cast<char>(x >> 24);
    }
    return body;
}

// The name a publisher gives a patch made from bytes.
std::string Sha256Hex(const std::string& bytes) {
    Sha256 sha;
    sha.Add(bytes);
    return sha.Hex();
}

// Runs a program with its output in a file (Wine's desktop process inherits
// the output of the first program that needs it and outlives it, so a pipe
// would never reach its end); returns the output and the exit status.
int Run(const std::vector<std::string>& args, const std::string& outputFile, std::string& output) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = ::open("/dev/null", O_RDONLY);
        if (fd < 0 || null < 0) _exit(126);
        ::dup2(fd, 1);
        ::dup2(null, 0);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    output = ReadAll(outputFile);
    return status;
}

// curl fetches url into folder/Tessaron.tmp, which is flushed to the disk
// and renamed onto folder/Tessaron.Exe. Seconds, or -1 when it failed.
double CurlIntoPlace(const std::string& url, const std::string& folder) {
    const std::string temp = folder + "/Tessaron.tmp";
    const std::string target = folder + "/Tessaron.Exe";
    std::string ignored;
    const Clock::time_point start = Clock::now();
    if (Run({"curl", "-s", "-f", "-o", temp, url}, folder + "/curl.out", ignored) != 0) return -1;
    const int fd = ::open(temp.c_str(), O_WRONLY);
    if (fd < 0 || ::fsync(fd) != 0 || ::close(fd) != 0) return -1;
    if (::rename(temp.c_str(), target.c_str()) != 0) return -1;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

struct RoundFigures {
    double upgrade = 0;  // less the deliberate pause
    double peakAboveIdleMiB = 0;
    double idleMiB = 0;
    double peakMiB = 0;
    double pellinorStart = 0;
    double plainStart = 0;
    double controlsStart = 0;  // the plain window with the common controls
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wine_upgrade_bench WINDOWS_BIN [rounds]\n");
        return 2;
    }
    const std::string bin = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix) {
        std::fprintf(stderr, "run inside tests/e2e/wine-session: WINEPREFIX is not set\n");
        return 2;
    }
    const std::string program = ReadAll(bin + "/tessaron.exe");
    if (program.size() < 2 || program.compare(0, 2, "MZ") != 0) {
        std::fprintf(stderr, "no tessaron.exe in %s\n", bin.c_str());
        return 2;
    }

    // Everything lives on the prefix's drive C, so both sides write to the
    // same file system.
    const std::string root = std::string(prefix) + "/drive_c/pellinor-bench";
    const std::string curlFolder = root + "/curl";
    ::mkdir(root.c_str(), 0755);
    ::mkdir((root + "/served").c_str(), 0755);
    ::mkdir(curlFolder.c_str(), 0755);
    auto body = std::make_shared<std::string>(MakeBody(program));
    if (!WriteAll(root + "/served/Tessaron.Exe", *body)) return 3;
    const std::string servedWindowsPath = "C:\\pellinor-bench\\served\\Tessaron.Exe";

    // The installed program as upgrade_bench.exe writes it.
    const bool patched = argc > 3 && std::string(argv[3]) == "patched";
    const std::string installed = e2e::WithVersionTrailer(program, "old");
    const std::string patchPath = "/V9/02/Tessaron.Exe.from-" + Sha256Hex(installed) + ".zst";
    const auto patch =
        std::make_shared<const std::string>(patched ? PublishedFrame(*body, installed) : "");
    if (patched) std::printf("patch %zu bytes from %zu\n", patch->size(), installed.size());

    ScriptedHttpServer server;
    const std::shared_ptr<const std::string> served = body;
    server.SetHandler([served, patch, patchPath](const std::string& request) {
        const std::string target = RequestTarget(request);
        const auto file = target == "/V9/02/Tessaron.Exe"          ? served
                          : target == patchPath && !patch->empty() ? patch
                                                                   : nullptr;
        if (!file) return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
        ScriptedReply reply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(file->size())}));
        reply.ThenShared(file);
        return reply;
    });
    const std::string base = server.Url("/V9/02/");
    const std::string url = base + "Tessaron.Exe";

    std::vector<RoundFigures> ours;
    std::vector<double> curl;
    for (int round = 0; round < kWarmUpRounds + rounds; ++round) {
        std::string output;
        const int status =
            Run({"wine", bin + "/upgrade_bench.exe", "round", base, servedWindowsPath},
                root + "/round.out", output);
        RoundFigures f;
        long idleKb = 0, peakKb = 0;
        char word[8] = {};
        if (status != 0 ||
            std::sscanf(output.c_str(), "%7s %lf %ld %ld %lf %lf %lf", word, &f.upgrade, &idleKb,
                        &peakKb, &f.pellinorStart, &f.plainStart, &f.controlsStart) != 7) {
            std::fprintf(stderr, "round %d: the Wine round failed: %s\n", round, output.c_str());
            return 1;
        }
        f.upgrade -= kDeliberatePauseSeconds;
        f.idleMiB = idleKb / 1024.0;
        f.peakMiB = peakKb / 1024.0;
        f.peakAboveIdleMiB = (peakKb - idleKb) / 1024.0;

        ::unlink((curlFolder + "/Tessaron.Exe").c_str());
        WriteAll(curlFolder + "/Tessaron.Exe", program);
        const double c = CurlIntoPlace(url, curlFolder);
        if (c < 0 || ReadAll(curlFolder + "/Tessaron.Exe") != *body) {
            std::fprintf(stderr, "round %d: curl failed\n", round);
            return 1;
        }
        std::printf(
            "round %d%s: upgrade %.3f s (less the pause)  curl %.3f s  peak %.1f MiB "
            "above idle  start %.3f s (plain window %.3f s, with the common controls %.3f s)\n",
            round, round < kWarmUpRounds ? " (warm-up)" : "", f.upgrade, c, f.peakAboveIdleMiB,
            f.pellinorStart, f.plainStart, f.controlsStart);
        std::fflush(stdout);
        if (round < kWarmUpRounds) continue;
        ours.push_back(f);
        curl.push_back(c);
    }
    server.Stop();

    auto median = [&](double RoundFigures::*field) {
        std::vector<double> v;
        for (const RoundFigures& f : ours) v.push_back(f.*field);
        return Median(v);
    };
    const double mib = static_cast<double>(kBodySize) / (1 << 20);
    const double upgrade = median(&RoundFigures::upgrade);
    const double peer = Median(curl);
    std::printf("\n%.0f MiB executable from 127.0.0.1, %d rounds each after %d warm-up, medians\n",
                mib, rounds, kWarmUpRounds);
    std::printf(
        "upgrade through the window (less the %.0f s pause): %.3f s   curl + fsync + "
        "rename: %.3f s   ratio %.1f   difference %+.3f s (target: at most +0.5 s)\n",
        kDeliberatePauseSeconds, upgrade, peer, upgrade / peer, upgrade - peer);
    std::printf(
        "peak memory (VmHWM) %.1f MiB, idle (VmRSS before the click) %.1f MiB: %.1f MiB "
        "above idle (target: at most 16 MiB, whatever the body's size)\n",
        median(&RoundFigures::peakMiB), median(&RoundFigures::idleMiB),
        median(&RoundFigures::peakAboveIdleMiB));
    const double start = median(&RoundFigures::pellinorStart);
    const double plain = median(&RoundFigures::plainStart);
    std::vector<double> ratios;
    for (const RoundFigures& f : ours) ratios.push_back(f.pellinorStart / f.plainStart);
    std::printf(
        "start to window shown: Pellinor.exe %.3f s   plain window program %.3f s   "
        "ratio %.2f, median of the rounds' ratios %.2f (target: at most 1.25)\n",
        start, plain, start / plain, Median(ratios));
    // What the system's common controls cost a window here before its first
    // line runs, and what Pellinor.exe adds to a window that has them.
    const double controls = median(&RoundFigures::controlsStart);
    std::printf(
        "the plain window with the common controls: %.3f s, ratio %.2f to the plain window; "
        "Pellinor.exe %.2f times it\n",
        controls, controls / plain, start / controls);
    return 0;
}
