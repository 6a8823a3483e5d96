// How long each part of a response may take. The connection's silence limit
// ends a server that stops sending; these end one that keeps sending a byte
// now and then, which the silence limit alone would follow for days: the
// header block in total, a thrown-away redirect body in total, a body by
// its rate, and one download in total across its redirects and retries.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>

#include "http/HttpTransport.h"

namespace pellinor {

// A header block (interim responses, status line and header lines, from its
// first byte; or a chunked body's trailers, from the last chunk) may take
// this long in all. A real one is a few KiB in one or two packets; even the
// 64 KiB that the largest servers accept takes 32 s at 2 KB/s, the slowest
// hotel link seen. A server that drips lines gets no more.
constexpr std::chrono::milliseconds kHeadTimeLimit{60000};
// A redirect's body is read only to be thrown away, and a real one is a
// short page: it is read for this long at most, whatever its framing, and
// then the redirect is followed over a new connection.
constexpr std::chrono::milliseconds kRedirectBodyTimeLimit{4000};
// A body must bring kMinRateBytes of body within each kMinRateWindow: every
// block of that many bytes starts the window again, and a window that passes short
// of it ends the request with "Read Timeout". 16 KiB in 120 s is 137 bytes
// a second, a fifteenth of a 2 KB/s hotel link, which therefore never
// trips it even through stalls of a minute; a server that drips less ends
// at most 120 s after its last full block. The window is the silence
// limit's, so a stall alone ends no sooner than that limit would end it.
// Only the body's own bytes count: chunk lines and their extensions are
// held by the line limit, trailers by the head's bound, and none of them
// is the file.
constexpr uint64_t kMinRateBytes = 16384;
constexpr std::chrono::milliseconds kMinRateWindow{120000};
// One download (a GET with all its redirects, retries and proxy sign-ins)
// ends after this long in all. Each part above has its bound, but fifteen
// requests of parts that each stay just within theirs would hold an
// upgrade without a window for most of an hour, with nobody at the desk to
// close it (the window's close box stops a download at any time). Half an
// hour takes the lock program (well under 1 MiB) several times over at
// 2 KB/s, the slowest hotel link seen: 3.6 MB.
constexpr std::chrono::milliseconds kDownloadTimeLimit{1800000};

struct BoundLimits {
    std::chrono::milliseconds head = kHeadTimeLimit;
    std::chrono::milliseconds redirectBody = kRedirectBodyTimeLimit;
    uint64_t rateBytes = kMinRateBytes;
    std::chrono::milliseconds rateWindow = kMinRateWindow;
    std::chrono::milliseconds download = kDownloadTimeLimit;
};

// A redirect's body passed kRedirectBodyTimeLimit: no failure, the client
// drops the connection and follows the redirect.
class RedirectBodyCut : public std::exception {
  public:
    const char* what() const noexcept override { return "redirect body cut"; }
};

// The user stopped the request (to close the program): no failure to show,
// and nothing of the body may be kept.
class RequestStopped : public std::exception {
  public:
    const char* what() const noexcept override { return "stopped by the user"; }
};

class RequestBounds {
  public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;

    explicit RequestBounds(BoundLimits limits = BoundLimits(), Now now = &Clock::now);

    // A download begins: kDownloadTimeLimit starts now.
    void BeginDownload();
    // The response reaches part: its bound starts (a header block's with its
    // first byte, every other one now).
    void Enter(ResponsePart part);
    // Bytes that arrived from the server, whatever part they belong to:
    // they start a header block's clock.
    void Received(size_t bytes);
    // Bytes of a body: only these count towards its rate.
    void BodyReceived(size_t bytes);
    // Time the program kept the thread (the window's turn, a question box):
    // nothing was read then, so no part is charged for it.
    void Held(Clock::duration held);

    // When the part under way must end, or the download, whichever comes
    // first; Clock::time_point::max() while neither has a bound (or a
    // header block has not begun).
    Clock::time_point Deadline() const;
    // When the download must end, whatever it is doing (a lookup, a
    // connect, a send included); max() before BeginDownload.
    Clock::time_point DownloadDeadline() const;
    // Raises the part's ending once its deadline has come.
    void Check() const;
    // The ending: the download's own text once its time is up; otherwise
    // the part's, a header block's own text, "Read Timeout" for a body too
    // slow, RedirectBodyCut for a redirect's body.
    [[noreturn]] void RaiseEnd() const;

  private:
    Clock::time_point PartDeadline() const;

    BoundLimits limits_;
    Now now_;
    ResponsePart part_ = ResponsePart::Idle;
    bool started_ = false;
    Clock::time_point start_{};  // of the part, or of the body's current window
    uint64_t windowBytes_ = 0;
    bool downloading_ = false;
    Clock::time_point downloadStart_{};
};

}  // namespace pellinor
