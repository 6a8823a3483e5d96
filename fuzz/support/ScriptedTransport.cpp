// The fuzz bytes as a server: replies in order, one per request, in slices.
#include "support/ScriptedTransport.h"

#include <algorithm>
#include <cstring>

#include "http/SocketErrors.h"
#include "platform/Error.h"
#include "support/FuzzCheck.h"

namespace pellinor::fuzz {
namespace {

constexpr size_t kSlices[8] = {0, 1, 2, 3, 5, 17, 256, 4096};

// A client that reads on after the end of a reply would wait for ever on a
// real server; a few reads (one per layer that sees the end) are all it needs.
constexpr int kMostReadsAfterEnd = 4;

ReplyShape ShapeOf(uint8_t b) {
    ReplyShape s;
    s.keepOpen = (b & 1) != 0;
    s.slice = kSlices[(b >> 1) & 7];
    s.reset = (b & 16) != 0;
    s.refuseConnect = (b & 32) != 0;
    return s;
}

}  // namespace

const char* const kReplySeparator = "\n~~\n";

std::vector<ScriptedReply> ParseScript(const uint8_t* data, size_t size) {
    const std::string all(reinterpret_cast<const char*>(data), size);
    const std::string separator(kReplySeparator);
    std::vector<ScriptedReply> script;
    size_t start = 0;
    for (;;) {
        const size_t end = all.find(separator, start);
        const std::string piece = all.substr(start, end - start);
        ScriptedReply reply;
        if (!piece.empty()) {
            reply.shape = ShapeOf(static_cast<uint8_t>(piece[0]));
            reply.bytes = piece.substr(1);
        }
        script.push_back(std::move(reply));
        if (end == std::string::npos) return script;
        start = end + separator.size();
    }
}

ScriptedTransport::ScriptedTransport(std::vector<ScriptedReply> script)
    : script_(std::move(script)) {}

const ScriptedReply* ScriptedTransport::Current() const {
    if (exchanges_.empty() || exchanges_.back().reply < 0) return nullptr;
    return &script_[static_cast<size_t>(exchanges_.back().reply)];
}

void ScriptedTransport::Open(const std::string& host, const std::string& port,
                             std::chrono::milliseconds) {
    Close();
    ++opens_;
    if (next_ < script_.size() && script_[next_].shape.refuseConnect) {
        ++next_;  // the refusal stands in for that reply
        throw Error(SocketErrorMessage(10061));
    }
    open_ = true;
    answered_ = false;
    peerEnded_ = false;
    pos_ = 0;
    endReads_ = 0;
    peer_ = host + ":" + port;
}

void ScriptedTransport::Close() {
    open_ = false;
    peer_.clear();
}

bool ScriptedTransport::Reusable() {
    if (!open_ || !answered_ || peerEnded_) return false;
    const ScriptedReply* reply = Current();
    // Bytes beyond the response are stray bytes: they spoil the connection.
    return reply && reply->shape.keepOpen && pos_ == reply->bytes.size();
}

void ScriptedTransport::Send(const std::string& bytes) {
    // The client never writes to a connection that it closed or never opened.
    FUZZ_CHECK(open_);
    Exchange exchange;
    exchange.request = bytes;
    if (next_ < script_.size()) exchange.reply = static_cast<int>(next_++);
    exchanges_.push_back(std::move(exchange));
    answered_ = true;
    peerEnded_ = false;
    pos_ = 0;
    endReads_ = 0;
}

size_t ScriptedTransport::ReadSome(char* data, size_t size, std::chrono::milliseconds limit) {
    FUZZ_CHECK(open_);
    FUZZ_CHECK(answered_);  // nothing is read before the request went out
    FUZZ_CHECK(size > 0);
    const ScriptedReply* reply = Current();
    const size_t left = reply ? reply->bytes.size() - pos_ : 0;
    if (left > 0) {
        size_t n = std::min(size, left);
        if (reply->shape.slice > 0) n = std::min(n, reply->shape.slice);
        std::memcpy(data, reply->bytes.data() + pos_, n);
        pos_ += n;
        exchanges_.back().delivered += n;
        return n;
    }
    FUZZ_CHECK(++endReads_ <= kMostReadsAfterEnd);
    if (reply && reply->shape.reset) {
        Close();
        throw Error(SocketErrorMessage(10054));
    }
    // A server that keeps the connection open sends nothing more: a read
    // with a limit gives up and closes; one without a limit would wait for
    // ever, and here sees the end of the input as the server's close.
    if (reply && reply->shape.keepOpen && limit.count() > 0) {
        Close();
        return 0;
    }
    peerEnded_ = true;
    return 0;
}

}  // namespace pellinor::fuzz
