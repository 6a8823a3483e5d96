// Resuming a body that a line cut off: when it may be resumed (a strong
// validator, ranges not refused, a cut rather than a refusal), the request
// that continues it (Range and If-Range, RFC 9110 14), and the test that a
// piece the server sends back continues exactly where the bytes held stop.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "http/HttpResponse.h"

namespace pellinor {

// The most requests one download makes for its file, the first included:
// a line that drops once or twice in a download comes back; one that has
// dropped five times will not carry the rest either, and the user is
// better told than kept waiting. Every try must bring the file on by at
// least one byte, and all of them together stay within kDownloadTimeLimit.
constexpr int kMaxDownloadTries = 6;
// The pause before a resume: a hotel line that dropped (a DSL line
// retraining, a Wi-Fi access point taking the PC back) is usually up again
// within a second or two, and a server that reset the connection on
// purpose is not asked again at once. The window keeps turning meanwhile
// and its close box ends the pause.
constexpr std::chrono::milliseconds kResumePause{2000};

struct ResumeLimits {
    int tries = kMaxDownloadTries;
    std::chrono::milliseconds pause = kResumePause;
};

// What a resumed GET asks for: the bytes after those held, of the file
// that validator named when it was total bytes long. The answer that
// continues them takes the held bytes into its body (held is left empty);
// any other answer leaves them where they are.
struct ResumePoint {
    uint64_t spilled = 0;         // of the bytes held, those in the client's scratch file
    std::string* held = nullptr;  // the rest of them
    uint64_t total = 0;
    std::string validator;
    // The bytes held are a part an earlier run kept: this GET opens the
    // download (its time limit begins). Like any other, only a 206 under
    // the same strong validator continues them.
    bool opensDownload = false;

    uint64_t From() const { return spilled + held->size(); }
};

// The request's "Range" and "If-Range" lines, each ended by CR LF; none
// when nothing is held (the file asked again from its start).
std::string RangeLines(const ResumePoint& point);

// Whether a 206's Content-Range ("bytes first-last/complete") continues
// exactly at from and runs to the end of a file of total bytes.
bool ContinuesAt(const std::string& contentRange, uint64_t from, uint64_t total);

// A response's strong validator: its ETag unless weak ("W/"), failing that
// its Last-Modified where its Date is at least a second later; empty when
// it has neither. A 206 is the rest of the bytes held only when it carries
// the same one (RFC 9110 13.1.5, 15.3.7.3).
std::string StrongValidator(const std::vector<std::pair<std::string, std::string>>& headers);

// Whether the server said it takes no byte ranges (an Accept-Ranges that
// does not name "bytes"); saying nothing is no refusal.
bool RangesRefused(const HttpResponse& response);

// Whether an error text is the line's, not the server's verdict: a close or
// reset in the middle of the body, or a read that timed out (silence, or a
// body slower than its rate bound). Only these are resumed.
bool IsCut(const std::string& error);

}  // namespace pellinor
