// The progress lines and the summary line of the support tool.
#include "fetch/FetchReport.h"

#include <cstdio>

namespace pellinor {

namespace {
// A status line is the server's text: whatever it holds (a zero byte, an
// escape sequence, a quote) must neither garble the console nor end the
// quoted field early.
std::string Quoted(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c == 127 || c == '"' || c == '\\') {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// The events count in 32 bits, as the window's progress bar does; shown
// without a sign, as the window's status line shows them.
std::string Count(int32_t value) {
    return std::to_string(static_cast<uint32_t>(value));
}
}  // namespace

ProgressLines::ProgressLines(std::function<void(const std::string&)> write)
    : write_(std::move(write)) {}

void ProgressLines::WorkBegin(int32_t workCountMax, Clock::time_point now) {
    announced_ = static_cast<uint32_t>(workCountMax);
    write_("begin: " + Count(workCountMax) + " bytes announced\n");
    lastLine_ = now;
    anyLine_ = true;
}

void ProgressLines::Work(int32_t workCount, Clock::time_point now) {
    if (anyLine_ && now - lastLine_ < kProgressLineInterval) return;
    write_("work: " + Count(workCount) + " / " + std::to_string(announced_) + " bytes\n");
    lastLine_ = now;
    anyLine_ = true;
}

std::string SummaryLine(const FetchOutcome& outcome, std::chrono::nanoseconds taken) {
    const HttpResponse& r = outcome.response;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", std::chrono::duration<double>(taken).count());
    // An address refused before any request leaves the response's empty.
    const std::string& url = r.url.empty() ? outcome.encodedUrl : r.url;
    return "url=" + url + " status=" + Quoted(r.statusLine) + " framing=" + FramingName(r.framing) +
           " announced=" + std::to_string(r.announced) + " bytes=" + std::to_string(r.BodySize()) +
           " whole=" + (outcome.whole ? "yes" : "no") +
           " proxy=" + (r.proxy.empty() ? std::string("direct") : r.proxy) +
           " tls=" + (r.tls.empty() ? std::string("none") : Quoted(r.tls)) + " time=" + seconds +
           "s tries=" + std::to_string(outcome.tries);
}

}  // namespace pellinor
