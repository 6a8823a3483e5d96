// Throughput and peak memory of a download as the program runs it
// (HttpDownloader, with the window's progress display and the notices around
// it) against curl, on a 64 MiB file served from 127.0.0.1 in this run. Each
// download runs in a fresh process, so its peak resident memory is its own.
//   download_bench [rounds]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "commands/FileDownload.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "platform/Error.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/ScriptedHttpServer.h"
#include "window/ProgressDisplay.h"
#include "window/WindowNotify.h"

using namespace pellinor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr size_t kBodySize = size_t{64} << 20;

// The body's bytes, made again wherever they are needed instead of kept.
class Pattern {
  public:
    char Next() {
        x_ = x_ * 1103515245 + 12345;
        return static_cast<char>(x_ >> 24);
    }

  private:
    uint32_t x_ = 12345;
};

uint64_t Fnv(uint64_t h, const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i)
        h = (h ^ static_cast<unsigned char>(data[i])) * 1099511628211ull;
    return h;
}

uint64_t PatternHash() {
    Pattern p;
    uint64_t h = 14695981039346656037ull;
    char buffer[65536];
    for (size_t done = 0; done < kBodySize; done += sizeof buffer) {
        for (char& c : buffer) c = p.Next();
        h = Fnv(h, buffer, sizeof buffer);
    }
    return h;
}

uint64_t FileHash(const std::string& path, size_t& size) {
    uint64_t h = 14695981039346656037ull;
    size = 0;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        h = Fnv(h, buffer, n);
        size += n;
    }
    std::fclose(f);
    return h;
}

// The peak resident memory of this process image alone, in KiB: unlike
// ru_maxrss it does not count what the image before exec held.
long PeakOfThisImageKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

// The child: one download as a command runs it; prints its notice number (0
// when done), its seconds and its peak memory in KiB.
int RunClient(const std::string& url, const std::string& dest) {
    FakeWindow window;
    // The destination's folder is the file system's root: dest is "\name" in it.
    const size_t slash = dest.find_last_of('/');
    PosixFileSystem files(slash == 0 ? std::string("/") : dest.substr(0, slash));
    FakeSystemInfo clock;
    clock.ticksPerRead = 1;
    const bool chinese = false;
    ProgressDisplay progress(window, clock, chinese);
    WindowNotify notify(window, clock, chinese);
    HttpClient client(HttpEvents{
        [&](int32_t max) { progress.WorkBegin(max); }, [&](int32_t count) { progress.Work(count); },
        [&] { window.ProcessMessages(); },
        nullptr,  // no proxy asks for a sign-in
    });
    HttpDownloader downloader(client, files, [&] { progress.Flush(); });
    const std::string local = "\\" + dest.substr(slash + 1);
    const Clock::time_point start = Clock::now();
    notify.DownloadBegun(local);
    const StepResult result = downloader.DownloadOneFile(url, local);
    notify.DownloadEnded();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!result.Ok()) std::fprintf(stderr, "%s: %s\n", StepName(result.step), result.text.c_str());
    std::printf("%d %.6f %ld\n", NoticeNumber(result), seconds, PeakOfThisImageKb());
    return result.Ok() ? 0 : 1;
}

struct ChildRun {
    std::string output;
    double wallSeconds = 0;
    long maxRssKb = 0;
    int status = -1;
};

ChildRun Spawn(const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0) std::exit(3);
    const Clock::time_point start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 1);
        ::close(fds[0]);
        ::close(fds[1]);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        _exit(127);
    }
    ::close(fds[1]);
    ChildRun run;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        run.output.append(buffer, static_cast<size_t>(n));
    ::close(fds[0]);
    rusage usage{};
    ::wait4(pid, &run.status, 0, &usage);
    run.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.maxRssKb = usage.ru_maxrss;
    return run;
}

bool SameAsBody(const std::string& path, uint64_t expectedHash) {
    size_t size = 0;
    return FileHash(path, size) == expectedHash && size == kBodySize;
}

// The server runs in a process of its own, so that the processes this one
// starts do not inherit its 64 MiB. Returns its port; it ends when stop closes.
int StartServer(int& stop) {
    int portPipe[2], stopPipe[2];
    if (::pipe(portPipe) != 0 || ::pipe(stopPipe) != 0) std::exit(3);
    if (::fork() == 0) {
        ::close(portPipe[0]);
        ::close(stopPipe[1]);
        auto body = std::make_shared<std::string>(kBodySize, '\0');
        Pattern p;
        for (char& c : *body) c = p.Next();
        ScriptedHttpServer server;
        server.SetHandler([body](const std::string&) {
            ScriptedReply reply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body->size())}));
            reply.ThenShared(body);
            return reply;
        });
        const int port = server.Port();
        if (::write(portPipe[1], &port, sizeof port) != sizeof port) _exit(3);
        char c;
        while (::read(stopPipe[0], &c, 1) > 0) {
        }
        server.Stop();
        _exit(0);
    }
    ::close(portPipe[1]);
    ::close(stopPipe[0]);
    int port = 0;
    if (::read(portPipe[0], &port, sizeof port) != sizeof port) std::exit(3);
    ::close(portPipe[0]);
    stop = stopPipe[1];
    return port;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--client") return RunClient(argv[2], argv[3]);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    int stopServer = -1;
    const int port = StartServer(stopServer);
    const uint64_t expected = PatternHash();
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/bench/Tessaron.Exe";
    char folder[] = "/tmp/pellinor-bench-XXXXXX";
    if (!::mkdtemp(folder)) return 3;
    const std::string ours = std::string(folder) + "/ours.tmp";
    const std::string theirs = std::string(folder) + "/curl.tmp";
    const std::string self = "/proc/self/exe";
    char exe[4096];
    const ssize_t len = ::readlink(self.c_str(), exe, sizeof exe - 1);
    if (len <= 0) return 3;
    exe[len] = '\0';

    std::vector<double> oursInProcess, oursWall, curlTotal, curlWall;
    long oursPeakKb = 0, oursImageKb = 0, curlPeakKb = 0;
    for (int round = 0; round < rounds; ++round) {
        // The download makes its file new, as it does beside the target.
        ::unlink(ours.c_str());
        const ChildRun a = Spawn({exe, "--client", url, ours});
        int result = -99;
        double seconds = 0;
        long rss = 0;
        if (std::sscanf(a.output.c_str(), "%d %lf %ld", &result, &seconds, &rss) != 3 ||
            result != 0 || !SameAsBody(ours, expected)) {
            std::fprintf(stderr, "round %d: our download failed: %s\n", round, a.output.c_str());
            return 1;
        }
        oursInProcess.push_back(seconds);
        oursWall.push_back(a.wallSeconds);
        oursPeakKb = std::max(oursPeakKb, a.maxRssKb);
        oursImageKb = std::max(oursImageKb, rss);

        const ChildRun b = Spawn({"curl", "-s", "-o", theirs, "-w", "%{time_total}", url});
        double total = 0;
        if (std::sscanf(b.output.c_str(), "%lf", &total) != 1 || !SameAsBody(theirs, expected)) {
            std::fprintf(stderr, "round %d: curl failed: %s\n", round, b.output.c_str());
            return 1;
        }
        curlTotal.push_back(total);
        curlWall.push_back(b.wallSeconds);
        curlPeakKb = std::max(curlPeakKb, b.maxRssKb);
    }
    ::unlink(ours.c_str());
    ::unlink(theirs.c_str());
    ::rmdir(folder);
    ::close(stopServer);
    ::wait(nullptr);

    const double mib = static_cast<double>(kBodySize) / (1 << 20);
    const double bodyKb = static_cast<double>(kBodySize) / 1024;
    std::printf("body: %.0f MiB, %d rounds each, medians\n", mib, rounds);
    std::printf(
        "DownloadOneFile (in process): %8.1f MiB/s   curl (time_total): %8.1f MiB/s   ratio %.2f\n",
        mib / Median(oursInProcess), mib / Median(curlTotal),
        Median(curlTotal) / Median(oursInProcess));
    std::printf(
        "whole process, ours:          %8.1f MiB/s   curl:              %8.1f MiB/s   ratio %.2f\n",
        mib / Median(oursWall), mib / Median(curlWall), Median(curlWall) / Median(oursWall));
    std::printf(
        "peak RSS (ru_maxrss), ours: %.1f MiB = %.3f x body (limit 1.25 x body + 16 MiB = %.1f MiB)"
        "   curl: %.1f MiB\n",
        oursPeakKb / 1024.0, oursPeakKb / bodyKb, 1.25 * mib + 16, curlPeakKb / 1024.0);
    std::printf("peak RSS of the client image alone (VmHWM): %.1f MiB = %.3f x body\n",
                oursImageKb / 1024.0, oursImageKb / bodyKb);
    return 0;
}
