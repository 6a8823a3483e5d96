// The head and the body of one reply, read off the connection into memory
// (a large body on into a scratch file) with Beast's parser doing the syntax;
// the limits, the progress events and the look for bytes after the reply's
// end are the program's own.
#include "http/HttpResponseReader.h"

#include <algorithm>
#include <boost/asio/buffer.hpp>
#include <boost/beast/http/error.hpp>
#include <cctype>
#include <cstring>

#include "http/SocketErrors.h"
#include "platform/Error.h"
#include "platform/LargeBuffer.h"
#include "text/TextRules.h"

namespace pellinor {
namespace {

namespace http = boost::beast::http;

// "HTTP/1.1 200 ": as much of a status line as tells what it is.
constexpr size_t kStatusLineLookahead = 13;

// 100 Continue, 102 Processing, 103 Early Hints: the real answer follows.
// 101 would switch to another protocol, which this client does not speak.
bool IsInterim(int status) {
    return status >= 100 && status <= 199 && status != 101;
}

// Where the header block in data ends (after its empty line); null when
// it does not end there.
const char* HeadEnd(const char* data, size_t size) {
    static const char kEnd[] = "\r\n\r\n";
    const char* end = std::search(data, data + size, kEnd, kEnd + 4);
    return end == data + size ? nullptr : end + 4;
}

// Whether the chunk-size line starting at line is the last chunk's: a size
// of nothing but zeros, ended by what cannot be a hex digit. A line cut
// before that end is not known yet.
bool IsLastChunkLine(const char* line, const char* end) {
    const char* p = line;
    while (p < end && *p == '0') ++p;
    return p > line && p < end && !std::isxdigit(static_cast<unsigned char>(*p));
}

}  // namespace

std::string ResponseHead::Header(const std::string& name) const {
    for (const auto& h : headers) {
        if (SameTextAscii(h.first, name)) return h.second;
    }
    return std::string();
}

std::vector<std::string> ResponseHead::Headers(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& h : headers) {
        if (SameTextAscii(h.first, name)) values.push_back(h.second);
    }
    return values;
}

void ReserveBody(std::string& body, size_t need, uint64_t expected) {
    constexpr size_t kFirstCapacity = 65536;
    constexpr size_t kTakenOnTrust = size_t{8} << 20;  // never touched before bytes fill it
    if (need > body.capacity()) {
        size_t target = std::max(need, std::max(body.capacity() * 2, kFirstCapacity));
        if (expected >= need && expected <= body.max_size()) {
            const auto announced = static_cast<size_t>(expected);
            // At least doubling even then: a chunk announces only itself, and
            // a body of many chunks must not be copied once per chunk.
            target = (announced / 8 <= need) ? std::max(announced, body.capacity() * 2)
                                             : std::min(std::max(target, kTakenOnTrust), announced);
        }
        // A fresh buffer takes the bytes held so far, so that it can be
        // prepared before any of its pages is touched.
        std::string grown;
        grown.reserve(target);
        PrepareLargeBuffer(&grown[0], grown.capacity());
        grown.append(body);
        body.swap(grown);
    }
}

void AppendBody(std::string& body, const char* data, size_t size, uint64_t expected) {
    ReserveBody(body, body.size() + size, expected);
    body.append(data, size);
}

HttpResponseReader::HttpResponseReader(HttpTransport& connection, const HttpEvents& events)
    : connection_(connection), events_(events) {}

HttpResponseReader::~HttpResponseReader() = default;
HttpResponseReader::HttpResponseReader(HttpResponseReader&&) noexcept = default;

size_t HttpResponseReader::ReceiveOnto(std::string& bytes, size_t want) {
    // Straight into the storage: the block is not copied again. The room is
    // zero bytes until the data lands; it is taken back on every way out, so
    // the string never holds a byte that did not arrive.
    const size_t base = bytes.size();
    bytes.resize(base + want);
    size_t n = 0;
    try {
        n = connection_.ReadSome(&bytes[base], want);
    } catch (...) {
        bytes.resize(base);
        throw;
    }
    bytes.resize(base + n);
    received_ += n;
    return n;
}

size_t HttpResponseReader::Fill(size_t size) {
    if (pos_ > 0) {
        pending_.erase(0, pos_);
        pos_ = 0;
    }
    return ReceiveOnto(pending_, size);
}

size_t HttpResponseReader::ReceiveBody(std::string& body, size_t want, uint64_t expected) {
    ReserveBody(body, body.size() + want, expected);
    return ReceiveOnto(body, want);
}

bool HttpResponseReader::ReadHead(ResponseHead& head) {
    headBytes_ = 0;
    for (;;) {
        if (!ReadOneHead(head)) return false;
        if (!head.complete || !IsInterim(head.status)) return true;
    }
}

bool HttpResponseReader::ReadOneHead(ResponseHead& head) {
    head = ResponseHead();
    parser_ = std::make_unique<ReplyParser>(head);
    bool closed = false;
    for (;;) {
        // Beast is shown the whole block at once (or all there is once the
        // server closed, or as much as the block may still take), so that
        // its verdict never depends on how the bytes were cut in pieces.
        const size_t room = kMaxHeadBytes - headBytes_;
        const size_t size = std::min(pending_.size() - pos_, room);
        char* data = &pending_[pos_];
        const char* end = HeadEnd(data, size);
        if (!LinesFit(data, end ? end : data + size)) throw Error(kMaxLineLengthExceeded);
        // The status line is looked at with 13 bytes in view ("HTTP/1.1 200 ")
        // or all there will ever be: Beast would otherwise wait for another
        // block's end before it looked again.
        if ((end && size >= kStatusLineLookahead) || closed || size == room) {
            if (!parser_->StatusArrived()) parser_->AcceptLaterMinorVersion(data, size);
            boost::beast::error_code ec;
            const size_t n = parser_->put(boost::asio::buffer(data, size), ec);
            pos_ += n;
            headBytes_ += n;
            if (ec && ec != http::error::need_more)
                throw Error(parser_->ErrorText(ec, data + n, size - n));
            if (parser_->is_header_done()) return true;
            if (size == room) throw Error(kHeaderBlockTooLarge);
        }
        if (closed) {
            if (received_ == 0) return false;
            if (!parser_->StatusArrived()) throw Error(kConnectionClosedGracefully);
            // A close inside the block is no error: the response simply has no body.
            return true;
        }
        closed = Fill() == 0;
    }
}

void HttpResponseReader::Begin(int64_t workCountMax) {
    // The window's events count in 32 bits, as the progress bar does.
    if (events_.workBegin)
        events_.workBegin(static_cast<int32_t>(static_cast<uint32_t>(workCountMax)));
}

void HttpResponseReader::Work(uint64_t count) {
    if (events_.work) events_.work(static_cast<int32_t>(static_cast<uint32_t>(count)));
}

uint64_t HttpResponseReader::Report(uint64_t count, size_t arrived) {
    for (size_t done = 0; done < arrived;) {
        const size_t piece = std::min(kWorkBlock, arrived - done);
        done += piece;
        Work(count + done);
    }
    return count + arrived;
}

void HttpResponseReader::ChunkBegins(uint64_t size) {
    Begin(static_cast<int64_t>(size));
    count_ = 0;
    chunkLeft_ = size;
    expected_ = Expected((sink_ ? sink_->size() : 0) + size);
}

uint64_t HttpResponseReader::Expected(uint64_t total) const {
    // Memory is reserved only for what it will hold before the scratch file.
    return scratched_ ? std::min<uint64_t>(total, kBodyHeldInMemory + kReadSize) : total;
}

void HttpResponseReader::BodyBytes(const char* data, size_t size) {
    if (sink_ && inPlace_) {
        // Received straight into the body: the data is already in place.
        if (data != out_) std::memmove(out_, data, size);
        out_ += size;
    } else if (sink_) {
        AppendBody(*sink_, data, size, expected_);
    }
    chunkLeft_ -= std::min<uint64_t>(chunkLeft_, size);
    bodyBytes_ += size;
    connection_.BodyReceived(size);
    count_ = Report(count_, size);
}

bool HttpResponseReader::PutPending() {
    char* data = &pending_[pos_];
    const size_t size = pending_.size() - pos_;
    inPlace_ = false;
    parser_->PutBegins(data);
    boost::beast::error_code ec;
    const size_t n = parser_->put(boost::asio::buffer(data, size), ec);
    pos_ += n;
    if (ec && ec != http::error::need_more) throw Error(parser_->ErrorText(ec, data + n, size - n));
    if (parser_->is_done()) return true;
    // What is left unparsed is a chunk's line or the last chunk's line and
    // its trailers (a body by length or to the close is taken as it comes):
    // bounded as the lines and the block of a head are. The lines are
    // looked at within the block's bound first, so that the verdict never
    // depends on how the bytes were cut in pieces.
    const char* rest = data + n;
    const size_t restSize = size - n;
    const size_t line = parser_->LineEndBefore();
    const size_t bound = kMaxHeadBytes + line;
    if (!LinesFit(rest, rest + std::min(restSize, bound))) throw Error(kMaxLineLengthExceeded);
    // A data chunk's whole line that Beast still waits on opens a quoted
    // extension it never closes (only the last chunk waits for more lines).
    const char* cr = restSize > line
                         ? static_cast<const char*>(std::memchr(rest + line, '\r', restSize - line))
                         : nullptr;
    if (cr && cr + 1 < rest + restSize && cr[1] == '\n' && rest[line] != '0')
        throw Error(kBrokenChunk);
    // The last chunk's line has come: what follows it, the trailers, is a
    // header block and takes no longer than one.
    if (!trailersBegun_ && restSize > line && IsLastChunkLine(rest + line, rest + restSize)) {
        trailersBegun_ = true;
        connection_.Enter(ResponsePart::Trailers);
    }
    if (restSize > bound) throw Error(kHeaderBlockTooLarge);
    return false;
}

bool HttpResponseReader::ParseInBody(std::string& body, size_t arrived) {
    char* start = &body[body.size() - arrived];
    out_ = start;
    inPlace_ = true;
    parser_->PutBegins(start);
    boost::beast::error_code ec;
    const size_t n = parser_->put(boost::asio::buffer(start, arrived), ec);
    // Only data was received here (never past the length or the chunk), so
    // Beast took it all; anything it left would wait for the next put.
    pending_.assign(start + n, arrived - n);
    pos_ = 0;
    body.resize(body.size() - arrived + static_cast<size_t>(out_ - start));
    if (ec && ec != http::error::need_more) throw Error(parser_->ErrorText(ec, nullptr, 0));
    return parser_->is_done();
}

bool HttpResponseReader::BytesFollow(bool keepAlive) {
    // A kept connection that still waits for a request has nothing more;
    // one that does not has either closed or bytes waiting, and the read
    // below tells which at once.
    if (keepAlive && connection_.Reusable()) return false;
    // The wait is the body's end being seen to be its end: no bound of the
    // body may cut it short and be taken for the quiet that proves it.
    connection_.Enter(ResponsePart::Idle);
    char probe = 0;
    try {
        return connection_.ReadSome(&probe, 1, kTrailingBytesWait) > 0;
    } catch (const Error& e) {
        // The download's time ran out before the end was seen: not whole.
        if (std::string(e.what()) == kDownloadTooSlow) throw;
        return false;  // a reset after the whole reply says nothing about it
    }
}

void HttpResponseReader::ReadBody(const ResponseHead& head, std::string* sink, BodyResult& result,
                                  ScratchFile* scratch) {
    result = BodyResult();
    if (!head.complete) return;
    ReplyParser& parser = *parser_;
    parser.SetReceiver(this);
    parser.eager(true);
    result.framing = parser.Framing();
    sink_ = sink;
    scratched_ = sink && scratch;
    count_ = 0;
    bodyBytes_ = 0;
    chunkLeft_ = 0;
    expected_ = 0;
    const bool counted = result.framing == BodyFraming::Length;
    if (counted) {
        result.announced = parser.content_length().value_or(0);
        expected_ = Expected((sink ? sink->size() : 0) + result.announced);
        if (result.announced > 0) Begin(static_cast<int64_t>(result.announced));
    } else if (result.framing == BodyFraming::Close) {
        Begin(0);
    }

    trailersBegun_ = false;
    bool ended = parser.is_done();
    while (!ended) {
        if (scratched_ && sink->size() >= kBodyHeldInMemory) {
            scratch->Append(sink->data(), sink->size());
            sink->clear();
        }
        if (pos_ < pending_.size() && PutPending()) {
            ended = true;
            break;
        }
        const uint64_t left = counted ? parser.content_length_remaining().value_or(0) : chunkLeft_;
        // A kept body's data goes straight into it, never past its length
        // or its chunk; lines between chunks, and bodies thrown away or
        // read to the close, come through the small buffer first, so that
        // the body grows only by bytes that are body.
        if (sink && pos_ == pending_.size() && left > 0) {
            const size_t want = static_cast<size_t>(std::min<uint64_t>(kReadSize, left));
            const size_t n = ReceiveBody(*sink, want, expected_);
            if (n > 0) {
                ended = ParseInBody(*sink, n);
                continue;
            }
        } else {
            size_t want = result.framing == BodyFraming::Chunked ? kWorkBlock : kReadSize;
            if (counted) want = static_cast<size_t>(std::min<uint64_t>(want, left));
            if (Fill(want) > 0) continue;
        }
        boost::beast::error_code ec;
        parser.put_eof(ec);
        ended = !ec;
        // A body by length that stops short raises nothing: it is only not whole.
        if (ec && result.framing == BodyFraming::Chunked) throw Error(kConnectionClosedGracefully);
        break;
    }
    if (result.framing == BodyFraming::Chunked) result.announced = parser.ChunkTotal();
    if (!ended) return;
    const bool delimited = counted || result.framing == BodyFraming::Chunked;
    // Bytes after a body the server delimited itself: its announcement
    // lied. Only a kept body is waited on; any other is thrown away.
    const bool extra = pos_ < pending_.size();
    const bool lied = extra || (sink && delimited && BytesFollow(head.KeepAlive()));
    result.reusable = head.KeepAlive() && result.framing != BodyFraming::Close && !lied;
    if (sink && lied) throw Error(kMoreThanAnnounced);
    result.complete = true;
}

}  // namespace pellinor
