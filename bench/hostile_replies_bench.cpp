// What hostile replies cost the HTTP client: the peak memory of each, in a
// fresh process, against the body it holds when it stops, and the longest
// time the window waits for its turn while data trickles or a send blocks.
// Prints figures; asserts nothing.
//   hostile_replies_bench
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "http/HttpConnection.h"
#include "platform/Error.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/HttpClient.h"

using namespace pellinor;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
    }
    return -1;
}

// Starts the peak anew, so that what the set-up took does not count.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Many copies of one shared block: a flood that costs the server nothing.
ScriptedReply Flood(const std::string& head, const std::string& block, size_t copies) {
    ScriptedReply reply(head, AfterReply::Close);
    const auto shared = std::make_shared<const std::string>(block);
    for (size_t i = 0; i < copies; ++i) reply.ThenShared(shared);
    return reply;
}

struct Case {
    const char* what;
    ScriptedReply (*reply)();
};

std::string Lines(size_t bytes) {
    std::string lines;
    lines.reserve(bytes);
    while (lines.size() < bytes) lines += "a\n";
    return lines;
}

std::string Cookies(int count) {
    std::string head = "HTTP/1.1 200 OK\r\n";
    for (int i = 0; i < count; ++i) head += "Set-Cookie: c" + std::to_string(i) + "=v\r\n";
    return head + "Content-Length: 0\r\n\r\n";
}

const Case kCases[] = {
    {"8 MiB of 2-byte header lines",
     [] { return Flood("HTTP/1.1 200 OK\r\n", Lines(1 << 20), 8); }},
    {"32 MiB of 2-byte header lines",
     [] { return Flood("HTTP/1.1 200 OK\r\n", Lines(1 << 20), 32); }},
    {"160,000 distinct cookies", [] { return ScriptedReply(Cookies(160000), AfterReply::Close); }},
    {"Content-Length: 999999999999999999",
     [] {
         return Flood("HTTP/1.1 200 OK\r\nContent-Length: 999999999999999999\r\n\r\n",
                      std::string(1 << 20, 'x'), 64);
     }},
    {"endless chunked body (300 MiB sent)",
     [] {
         return Flood("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
                      "100000\r\n" + std::string(1 << 20, 'x') + "\r\n", 300);
     }},
    {"endless body up to the close (300 MiB sent)",
     [] { return Flood("HTTP/1.1 200 OK\r\n\r\n", std::string(1 << 20, 'x'), 300); }},
    {"302 with a huge length and data for ever",
     [] {
         return Flood("HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 99999999999\r\n\r\n",
                      std::string(1 << 20, 'x'), 300);
     }},
    {"trailers for ever after a whole body",
     [] {
         return Flood("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n400\r\n" +
                          std::string(1024, 'x') + "\r\n0\r\n",
                      Lines(1 << 20), 64);
     }},
};

// In a child process: one GET against the case's reply; prints the figures.
void RunCase(const Case& c) {
    ScriptedHttpServer server;
    server.Enqueue(c.reply());
    HttpClient client(HttpEvents{nullptr, nullptr, nullptr});
    HttpResponse response;
    const long before = StatusKiB("VmRSS");
    ResetPeak();
    const Clock::time_point start = Clock::now();
    std::string outcome = "no error";
    try {
        client.Get(server.Url("/Tessaron.Exe"), response);
    } catch (const std::exception& e) {
        outcome = e.what();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double peakMiB = (StatusKiB("VmHWM") - before) / 1024.0;
    const double heldMiB = response.body.size() / 1048576.0;
    std::printf("%-46s %8.1f MiB above idle, %7.1f MiB body held (%+.1f), %5.2f s: %s\n", c.what,
                peakMiB, heldMiB, peakMiB - heldMiB, seconds,
                IsBodyWhole(response) ? "WHOLE" : outcome.c_str());
    server.Stop();
}

// The longest wait between two turns of the window.
struct TurnWatch {
    Clock::time_point last = Clock::now();
    double longestMs = 0;
    void Turn() {
        const Clock::time_point now = Clock::now();
        longestMs =
            std::max(longestMs, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
};

double LongestGapMs(const ScriptedReply& reply) {
    ScriptedHttpServer server;
    server.Enqueue(reply);
    TurnWatch watch;
    HttpClient client(HttpEvents{nullptr, nullptr, [&] { watch.Turn(); }});
    HttpResponse response;
    watch.last = Clock::now();
    try {
        client.Get(server.Url("/t"), response);
    } catch (const std::exception&) {
    }
    watch.Turn();
    return watch.longestMs;
}

double LongestGapWhileASendBlocksMs() {
    namespace asio = boost::asio;
    asio::io_context io;
    asio::ip::tcp::acceptor listener(io, {asio::ip::make_address("127.0.0.1"), 0});
    TurnWatch watch;
    HttpConnection connection([&] { watch.Turn(); }, milliseconds(3000));
    connection.Open("127.0.0.1", std::to_string(listener.local_endpoint().port()));
    asio::ip::tcp::socket peer(io);
    listener.accept(peer);
    watch.last = Clock::now();
    try {
        connection.Send(std::string(64 << 20, 'c'));
    } catch (const std::exception&) {
    }
    return watch.longestMs;
}

}  // namespace

int main() {
    std::printf("Peak memory of the client per hostile reply (each in a fresh process):\n");
    for (const Case& c : kCases) {
        std::fflush(stdout);
        const pid_t child = ::fork();
        if (child == 0) {
            RunCase(c);
            std::fflush(stdout);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
    }

    std::printf("\nLongest wait of the window for its turn (kReadPumpInterval: 50 ms):\n");
    ScriptedReply bytes(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 15"}), AfterReply::Close);
    for (int i = 0; i < 15; ++i) bytes.Then("x", milliseconds(200));
    ScriptedReply kilobytes(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 30720"}),
                            AfterReply::Close);
    for (int i = 0; i < 30; ++i) kilobytes.Then(std::string(1024, 'k'), milliseconds(100));
    std::printf("  1 byte every 200 ms for 3 s:      %6.1f ms\n", LongestGapMs(bytes));
    std::printf("  1 KiB every 100 ms for 3 s:       %6.1f ms\n", LongestGapMs(kilobytes));
    std::printf("  a send the peer never takes (3 s): %5.1f ms\n", LongestGapWhileASendBlocksMs());
    return 0;
}
