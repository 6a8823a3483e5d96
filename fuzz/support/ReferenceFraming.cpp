// The reference reading: lines, head and the three framings over a whole reply.
#include "support/ReferenceFraming.h"

#include <cstdint>

#include "transfer/SocketErrors.h"

namespace pellinor::fuzz {
namespace {

// The bounds the client promises, written here on their own so that a
// change on either side shows up as a finding.
constexpr size_t kLongestLine = 16384;
constexpr size_t kLargestHead = 256 * 1024;
constexpr uint64_t kLargestBody = 256ull * 1024 * 1024;
constexpr uint64_t kSmallestFile = 1024;

enum class LineResult { Line, NoEnd, TooLong };

// Lines end with LF; a CR right before it is not part of the line.
LineResult NextLine(const std::string& bytes, size_t& pos, std::string& line) {
    const size_t lf = bytes.find('\n', pos);
    if (lf == std::string::npos) {
        // Without its LF a line may hold one more byte: the CR of its end.
        return bytes.size() - pos > kLongestLine + 1 ? LineResult::TooLong : LineResult::NoEnd;
    }
    size_t end = lf;
    if (end > pos && bytes[end - 1] == '\r') --end;
    if (end - pos > kLongestLine) return LineResult::TooLong;
    line = bytes.substr(pos, end - pos);
    pos = lf + 1;
    return LineResult::Line;
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string Stripped(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlankOrControl(s[b])) ++b;
    while (e > b && IsBlankOrControl(s[e - 1])) --e;
    return s.substr(b, e - b);
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool ContainsWord(const std::string& text, const std::string& lowerWord) {
    std::string lower;
    for (char c : text) lower += Lower(c);
    return lower.find(lowerWord) != std::string::npos;
}

// Exactly three digits right after the first blank, then a blank or the end.
int StatusOf(const std::string& line) {
    const size_t blank = line.find(' ');
    if (blank == std::string::npos || line.size() < blank + 4) return -1;
    int status = 0;
    for (size_t i = blank + 1; i < blank + 4; ++i) {
        if (line[i] < '0' || line[i] > '9') return -1;
        status = status * 10 + (line[i] - '0');
    }
    if (line.size() > blank + 4 && line[blank + 4] != ' ') return -1;
    return status;
}

bool LengthOf(const std::string& text, uint64_t& length) {
    if (text.empty() || text.size() > 18) return false;
    length = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        length = length * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The size before any ";extension", 1 to 15 hex digits.
bool ChunkSizeOf(const std::string& line, uint64_t& size) {
    const std::string digits = Stripped(line.substr(0, line.find(';')));
    if (digits.empty() || digits.size() > 15) return false;
    size = 0;
    for (char c : digits) {
        const int v = HexDigit(c);
        if (v < 0) return false;
        size = size * 16 + static_cast<uint64_t>(v);
    }
    return true;
}

// Lines of one header block, counted against its bound with their ends.
struct HeadLines {
    const std::string& bytes;
    size_t& pos;
    size_t used = 0;
    bool tooLong = false;
    bool tooLarge = false;

    bool Next(std::string& line) {
        const size_t start = pos;
        const LineResult got = NextLine(bytes, pos, line);
        if (got != LineResult::Line) {
            tooLong = got == LineResult::TooLong;
            return false;
        }
        used += pos - start;
        if (used > kLargestHead) {
            tooLarge = true;
            return false;
        }
        return true;
    }
};

bool ReadOneHead(HeadLines& lines, ReferenceResponse& r) {
    r.hasStatus = false;
    r.statusLine.clear();
    r.status = -1;
    r.headers.clear();
    std::string line;
    do {
        if (!lines.Next(line)) return false;
    } while (line.empty());
    r.hasStatus = true;
    r.statusLine = line;
    r.status = StatusOf(line);
    for (;;) {
        if (!lines.Next(line)) return false;
        if (line.empty()) break;
        // A line that starts with a blank or a tab continues the header before it.
        if ((line[0] == ' ' || line[0] == '\t') && !r.headers.empty()) {
            r.headers.back().second += " " + Stripped(line);
            continue;
        }
        const size_t colon = line.find(':');
        r.headers.emplace_back(
            Stripped(line.substr(0, colon)),
            colon == std::string::npos ? std::string() : Stripped(line.substr(colon + 1)));
    }
    return true;
}

// Interim answers (1xx but 101) are passed over; their lines count against
// the same bound as the final head's.
bool ReadHead(const std::string& bytes, size_t& pos, ReferenceResponse& r) {
    HeadLines lines{bytes, pos};
    for (;;) {
        const bool read = ReadOneHead(lines, r);
        r.lineTooLong = lines.tooLong;
        r.headTooLarge = lines.tooLarge;
        if (!read) return false;
        if (r.status < 100 || r.status > 199 || r.status == 101) break;
    }
    r.headComplete = true;
    return true;
}

// Every Content-Length value, over repeated headers and comma lists. One
// readable value: found. None: the body runs to the close. Two that differ,
// or a readable one beside an unreadable one: the lengths conflict.
enum class Lengths { None, One, Conflict };

Lengths LengthsOf(const ReferenceResponse& r, uint64_t& length) {
    bool found = false;
    bool unreadable = false;
    for (const auto& h : r.headers) {
        if (!SameName(h.first, "Content-Length")) continue;
        size_t start = 0;
        for (;;) {
            const size_t comma = h.second.find(',', start);
            uint64_t value = 0;
            if (!LengthOf(Stripped(h.second.substr(start, comma - start)), value)) {
                unreadable = true;
            } else if (found && value != length) {
                return Lengths::Conflict;
            } else {
                length = value;
                found = true;
            }
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    if (found && unreadable) return Lengths::Conflict;
    return found ? Lengths::One : Lengths::None;
}

void ReadChunks(const std::string& bytes, size_t pos, ReferenceResponse& r) {
    std::string line;
    uint64_t total = 0;
    for (;;) {
        uint64_t size = 0;
        if (NextLine(bytes, pos, line) != LineResult::Line || !ChunkSizeOf(line, size)) return;
        if (size == 0) break;
        total += size;
        if (total > kLargestBody) {
            r.error = kBodyTooLarge;
            return;
        }
        r.announced = size;
        const uint64_t left = bytes.size() - pos;
        r.body += bytes.substr(pos, static_cast<size_t>(size < left ? size : left));
        if (size > left) return;
        pos += static_cast<size_t>(size);
        // The data must end right where its size said: an empty line.
        if (NextLine(bytes, pos, line) != LineResult::Line) return;
        if (!line.empty()) {
            r.error = kBrokenChunk;
            return;
        }
    }
    r.complete = true;
    // The trailers: a header block of their own, with its own bound. An
    // error there comes after the whole body.
    HeadLines trailers{bytes, pos};
    while (trailers.Next(line) && !line.empty()) {
    }
    if (trailers.tooLong) r.error = kMaxLineLengthExceeded;
    if (trailers.tooLarge) r.error = kHeaderBlockTooLarge;
}

}  // namespace

std::string ReferenceResponse::Header(const std::string& name) const {
    for (const auto& h : headers) {
        if (SameName(h.first, name)) return h.second;
    }
    return std::string();
}

bool ReferenceResponse::IsRedirect() const {
    return (status >= 300 && status <= 399 && status != 304) || !Header("Location").empty();
}

bool ReferenceResponse::IsSuccess() const {
    return hasStatus && !lineTooLong && !headTooLarge && status == 200 && !IsRedirect();
}

bool ReferenceResponse::Whole() const {
    // complete is only ever set for a body whose framing held to its end.
    if (!IsSuccess() || !complete) return false;
    if (framing == Framing::Length) return announced >= kSmallestFile && body.size() == announced;
    if (framing == Framing::Chunked) return announced >= kSmallestFile;
    return false;
}

ReferenceResponse ReadReference(const std::string& bytes, bool endIsClose) {
    ReferenceResponse r;
    size_t pos = 0;
    if (!ReadHead(bytes, pos, r)) return r;
    uint64_t length = 0;
    Lengths lengths = Lengths::None;
    if ((r.status >= 100 && r.status <= 199) || r.status == 204 || r.status == 304) {
        r.framing = Framing::NoBody;
        r.complete = true;
    } else if (ContainsWord(r.Header("Transfer-Encoding"), "chunked")) {
        r.framing = Framing::Chunked;
        ReadChunks(bytes, pos, r);
    } else if ((lengths = LengthsOf(r, length)) == Lengths::Conflict) {
        r.framing = Framing::Length;
        r.error = kConflictingLengths;
    } else if (lengths == Lengths::One) {
        r.framing = Framing::Length;
        r.announced = length;
        if (length > kLargestBody) {
            r.error = kBodyTooLarge;
            return r;
        }
        const uint64_t left = bytes.size() - pos;
        r.body = bytes.substr(pos, static_cast<size_t>(length < left ? length : left));
        r.complete = left >= length;
    } else {
        r.framing = Framing::ToClose;
        r.body = bytes.substr(pos);
        r.complete = endIsClose;
    }
    return r;
}

}  // namespace pellinor::fuzz
