// Status line, header block and the three kinds of body framing.
#include "transfer/HttpResponseReader.h"

#include <algorithm>
#include <limits>

#include "platform/Error.h"
#include "platform/LargeBuffer.h"
#include "text/TextRules.h"
#include "transfer/SocketErrors.h"

namespace pellinor {
namespace {

// The three digits after the first blank: "HTTP/1.1 404 Not Found" gives
// 404. A code of any other length ("2000", "20") names no status.
int ParseStatus(const std::string& line) {
    const size_t blank = line.find(' ');
    if (blank == std::string::npos) return -1;
    int status = 0;
    size_t i = blank + 1;
    for (; i < line.size() && i < blank + 4; ++i) {
        if (line[i] < '0' || line[i] > '9') return -1;
        status = status * 10 + (line[i] - '0');
    }
    if (i != blank + 4) return -1;
    return (i == line.size() || line[i] == ' ') ? status : -1;
}

bool ParseDecimal(const std::string& text, uint64_t& value) {
    if (text.empty() || text.size() > 18) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

// "1a2b;name=value" gives 0x1a2b; extensions are ignored.
bool ParseChunkSize(const std::string& line, uint64_t& size) {
    const std::string digits = Trim(line.substr(0, line.find(';')));
    if (digits.empty() || digits.size() > 15) return false;
    size = 0;
    for (char c : digits) {
        int v;
        if (c >= '0' && c <= '9') {
            v = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            v = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            v = c - 'A' + 10;
        } else {
            return false;
        }
        size = size * 16 + static_cast<uint64_t>(v);
    }
    return true;
}

bool HasNoBody(int status) {
    return (status >= 100 && status < 200) || status == 204 || status == 304;
}

// 100 Continue, 102 Processing, 103 Early Hints: the real answer follows.
// 101 would switch to another protocol, which this client does not speak.
bool IsInterim(int status) {
    return status >= 100 && status <= 199 && status != 101;
}

// The "Content-Length" of a response. Every value (a header may repeat, or
// list values separated by commas) must agree: two lengths are two ways to
// cut the same bytes, and a lie in one of them would slip a piece of a file
// through. False when there is none or a value is not a length at all.
bool AnnouncedLength(const ResponseHead& head, uint64_t& length) {
    bool found = false;
    bool unreadable = false;
    for (const std::string& header : head.Headers("Content-Length")) {
        for (const std::string& item : Split(header, ',')) {
            uint64_t value = 0;
            if (!ParseDecimal(Trim(item), value)) {
                unreadable = true;
                continue;
            }
            if (found && value != length) throw Error(kConflictingLengths);
            length = value;
            found = true;
        }
    }
    if (found && unreadable) throw Error(kConflictingLengths);
    return found;
}

void CheckBodySize(uint64_t size) {
    if (size > kMaxBodyBytes) throw Error(kBodyTooLarge);
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

bool ResponseHead::KeepAlive() const {
    const std::string connection = LowerAscii(Header("Connection"));
    if (connection.find("close") != std::string::npos) return false;
    // An HTTP/1.0 server closes after the response unless it says otherwise.
    if (statusLine.compare(0, 8, "HTTP/1.0") == 0)
        return connection.find("keep-alive") != std::string::npos;
    return true;
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

size_t HttpResponseReader::ReceiveBody(std::string& body, size_t want, uint64_t expected) {
    // Straight into the body's storage: the block is not copied again. The
    // room is zero bytes until the data lands; it is taken back on every
    // way out, so the body never holds a byte that did not arrive.
    const size_t base = body.size();
    ReserveBody(body, base + want, expected);
    body.resize(base + want);
    size_t n = 0;
    try {
        n = connection_.ReadSome(&body[base], want);
    } catch (...) {
        body.resize(base);
        throw;
    }
    body.resize(base + n);
    return n;
}

HttpResponseReader::HttpResponseReader(HttpTransport& connection, const HttpEvents& events)
    : connection_(connection), events_(events), block_(kReadSize) {}

size_t HttpResponseReader::Fill() {
    if (pos_ > 0) {
        pending_.erase(0, pos_);
        pos_ = 0;
    }
    // Header lines are read in work-sized pieces: what comes along with the
    // header block is reported as one piece.
    const size_t n = connection_.ReadSome(block_.data(), kWorkBlock);
    received_ += n;
    pending_.append(block_.data(), n);
    return n;
}

bool HttpResponseReader::ReadLine(std::string& line) {
    size_t scanned = pos_;
    for (;;) {
        const size_t lf = pending_.find('\n', scanned);
        if (lf != std::string::npos) {
            size_t end = lf;
            if (end > pos_ && pending_[end - 1] == '\r') --end;
            if (end - pos_ > kMaxLineLength) throw Error(kMaxLineLengthExceeded);
            line.assign(pending_, pos_, end - pos_);
            lastLineBytes_ = lf + 1 - pos_;
            pos_ = lf + 1;
            return true;
        }
        // Room for the longest line plus its CR.
        if (pending_.size() - pos_ > kMaxLineLength + 1) throw Error(kMaxLineLengthExceeded);
        const size_t offset = pending_.size() - pos_;
        if (Fill() == 0) return false;
        scanned = offset;  // Fill moved the unread bytes to the front
    }
}

bool HttpResponseReader::ReadHeadLine(std::string& line) {
    if (!ReadLine(line)) return false;
    headBytes_ += lastLineBytes_;
    if (headBytes_ > kMaxHeadBytes) throw Error(kHeaderBlockTooLarge);
    return true;
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
    std::string line;
    do {
        if (!ReadHeadLine(line)) {
            if (received_ == 0) return false;
            throw Error(kConnectionClosedGracefully);
        }
    } while (line.empty());
    head.statusLine = line;
    head.status = ParseStatus(line);
    for (;;) {
        // A close inside the block is no error: the response simply has no body.
        if (!ReadHeadLine(line)) return true;
        if (line.empty()) {
            head.complete = true;
            return true;
        }
        if ((line[0] == ' ' || line[0] == '\t') && !head.headers.empty()) {
            head.headers.back().second += " " + Trim(line);
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos) {
            head.headers.emplace_back(Trim(line), std::string());
        } else {
            head.headers.emplace_back(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
        }
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

uint64_t HttpResponseReader::TakePending(std::string* sink, uint64_t max, uint64_t expected) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(pending_.size() - pos_, max));
    if (n > 0 && sink) AppendBody(*sink, pending_.data() + pos_, n, expected);
    pos_ += n;
    return n;
}

bool HttpResponseReader::ReadCounted(std::string* sink, uint64_t size, uint64_t expected) {
    if (size == 0) return true;  // an empty body is not reported
    Begin(static_cast<int64_t>(size));
    uint64_t got = TakePending(sink, size, expected);
    if (got > 0) Work(got);
    while (got < size) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(block_.size(), size - got));
        const size_t n =
            sink ? ReceiveBody(*sink, want, expected) : connection_.ReadSome(block_.data(), want);
        if (n == 0) return false;
        received_ += n;
        got = Report(got, n);
    }
    return true;
}

void HttpResponseReader::ReadChunked(std::string* sink, BodyResult& result) {
    std::string line;
    uint64_t total = 0;
    for (;;) {
        if (!ReadLine(line)) throw Error(kConnectionClosedGracefully);
        uint64_t size = 0;
        // A size line that is not hex cannot be followed: the body ends
        // there, unfinished, and the connection is given up.
        if (!ParseChunkSize(line, size)) return;
        if (size == 0) break;
        total += size;
        CheckBodySize(total);
        result.announced = size;
        const uint64_t base = sink ? sink->size() : 0;
        if (!ReadCounted(sink, size, base + size)) throw Error(kConnectionClosedGracefully);
        // The data must end where its size said: anything else on this line
        // means the sizes and the data disagree, and the body cannot be trusted.
        if (!ReadLine(line)) throw Error(kConnectionClosedGracefully);
        if (!line.empty()) throw Error(kBrokenChunk);
    }
    result.complete = true;
    connection_.Enter(ResponsePart::Trailers);
    headBytes_ = 0;
    do {
        if (!ReadHeadLine(line)) throw Error(kConnectionClosedGracefully);
    } while (!line.empty());
    result.reusable = true;
}

void HttpResponseReader::ReadToClose(std::string* sink, BodyResult& result,
                                     std::chrono::milliseconds timeLimit) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeLimit;
    Begin(0);
    uint64_t got = TakePending(sink, std::numeric_limits<uint64_t>::max(), 0);
    CheckBodySize(got);
    if (got > 0) Work(got);
    for (;;) {
        std::chrono::milliseconds left{};
        if (timeLimit.count() > 0) {
            left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                connection_.Close();
                break;
            }
        }
        const size_t n = connection_.ReadSome(block_.data(), block_.size(), left);
        if (n == 0) break;
        received_ += n;
        CheckBodySize(got + n);
        if (sink) AppendBody(*sink, block_.data(), n, 0);
        got = Report(got, n);
    }
    result.complete = true;
}

void HttpResponseReader::ReadBody(const ResponseHead& head, std::string* sink, BodyResult& result,
                                  std::chrono::milliseconds timeLimit) {
    result = BodyResult();
    if (!head.complete) return;
    uint64_t length = 0;
    if (HasNoBody(head.status)) {
        result.complete = true;
        result.reusable = true;
    } else if (LowerAscii(head.Header("Transfer-Encoding")).find("chunked") != std::string::npos) {
        result.framing = BodyFraming::Chunked;
        ReadChunked(sink, result);
    } else if (AnnouncedLength(head, length)) {
        result.framing = BodyFraming::Length;
        result.announced = length;
        CheckBodySize(length);
        const uint64_t base = sink ? sink->size() : 0;
        result.complete = ReadCounted(sink, length, base + length);
        result.reusable = result.complete;
    } else {
        result.framing = BodyFraming::Close;
        ReadToClose(sink, result, timeLimit);
    }
    // Bytes beyond the response would be taken for the next one's start.
    if (result.reusable) result.reusable = head.KeepAlive() && pos_ == pending_.size();
}

}  // namespace pellinor
