// The time bounds of a response's parts, on a clock the tests can move.
#include "http/RequestBounds.h"

#include <algorithm>

#include "http/SocketErrors.h"
#include "platform/Error.h"

namespace pellinor {

RequestBounds::RequestBounds(BoundLimits limits, Now now) : limits_(limits), now_(std::move(now)) {}

void RequestBounds::BeginDownload() {
    downloading_ = true;
    downloadStart_ = now_();
}

void RequestBounds::Enter(ResponsePart part) {
    part_ = part;
    windowBytes_ = 0;
    // A header block is timed from its first byte: the wait for the
    // server's answer is the silence limit's.
    started_ = part != ResponsePart::Head && part != ResponsePart::Idle;
    if (started_) start_ = now_();
}

void RequestBounds::Received(size_t bytes) {
    if (part_ == ResponsePart::Head && !started_ && bytes > 0) {
        started_ = true;
        start_ = now_();
    }
}

void RequestBounds::BodyReceived(size_t bytes) {
    if (part_ != ResponsePart::Body) return;
    windowBytes_ += bytes;
    if (windowBytes_ >= limits_.rateBytes) {
        // A full block: the next window starts now, with no credit carried
        // over, so a burst buys no time for a drip after it.
        windowBytes_ = 0;
        start_ = now_();
    }
}

void RequestBounds::Held(Clock::duration held) {
    if (started_) start_ += held;
    if (downloading_) downloadStart_ += held;
}

RequestBounds::Clock::time_point RequestBounds::DownloadDeadline() const {
    return downloading_ ? downloadStart_ + limits_.download : Clock::time_point::max();
}

RequestBounds::Clock::time_point RequestBounds::Deadline() const {
    return std::min(PartDeadline(), DownloadDeadline());
}

RequestBounds::Clock::time_point RequestBounds::PartDeadline() const {
    if (!started_) return Clock::time_point::max();
    switch (part_) {
        case ResponsePart::Head:
        case ResponsePart::Trailers:
            return start_ + limits_.head;
        case ResponsePart::Body:
            return start_ + limits_.rateWindow;
        case ResponsePart::RedirectBody:
            return start_ + limits_.redirectBody;
        case ResponsePart::Idle:
            break;
    }
    return Clock::time_point::max();
}

void RequestBounds::Check() const {
    const Clock::time_point deadline = Deadline();
    if (deadline != Clock::time_point::max() && now_() >= deadline) RaiseEnd();
}

void RequestBounds::RaiseEnd() const {
    if (now_() >= DownloadDeadline()) throw Error(kDownloadTooSlow);
    switch (part_) {
        case ResponsePart::Head:
        case ResponsePart::Trailers:
            throw Error(kHeaderBlockTooSlow);
        case ResponsePart::RedirectBody:
            throw RedirectBodyCut();
        case ResponsePart::Body:
        case ResponsePart::Idle:
            break;
    }
    throw Error(kReadTimeout);
}

}  // namespace pellinor
