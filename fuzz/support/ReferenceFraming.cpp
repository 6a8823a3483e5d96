// The reference reading: a strict HTTP/1.1 reply (RFC 9112) over the whole
// bytes at once, with the client's bounds, written apart from the client.
#include "support/ReferenceFraming.h"

#include <cstdint>
#include <cstring>

#include "http/ReplyParser.h"
#include "http/SocketErrors.h"

namespace pellinor::fuzz {
namespace {

// The bounds the client promises, written here on their own so that a
// change on either side shows up as a finding.
constexpr size_t kLongestLine = 16384;
constexpr size_t kLargestHead = 256 * 1024;
constexpr uint64_t kLargestBody = 256ull * 1024 * 1024;
constexpr uint64_t kSmallestFile = 1024;
constexpr size_t kShown = 64;

bool IsTchar(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c < 128 && c > 32 && std::strchr("!#$%&'*+-.^_`|~", c) != nullptr);
}
bool IsCtl(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return (c < 32 && c != '\t') || c == 127;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
std::string LowerText(std::string s) {
    for (char& c : s) c = Lower(c);
    return s;
}
std::string Ows(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}
std::vector<std::string> Items(const std::string& s) {
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        const size_t comma = s.find(',', start);
        items.push_back(Ows(s.substr(start, comma - start)));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}
bool AllTchars(const std::string& s) {
    for (char c : s) {
        if (!IsTchar(c)) return false;
    }
    return !s.empty();
}

// Every line from start to end is at most kLongestLine bytes without its
// CR LF; an unended last one may hold one byte more.
bool LinesFit(const std::string& b, size_t start, size_t end) {
    while (start < end) {
        const size_t lf = b.find('\n', start);
        const size_t stop = lf < end ? lf : end;
        size_t length = stop - start;
        if (lf < end && length > 0 && b[stop - 1] == '\r') --length;
        if (length > kLongestLine + (lf < end ? 0 : 1)) return false;
        start = stop + 1;
    }
    return true;
}

// What the fields of one block say about the framing.
struct FieldState {
    bool length = false;
    uint64_t value = 0;
    bool encoding = false;
    bool chunkedLast = false;  // a Transfer-Encoding whose first "chunked" is its last coding
    std::vector<std::string> codings;
};

// The text for a Content-Length field value that is refused.
std::string LengthText(const std::string& value) {
    const std::vector<std::string> items = Items(value);
    for (const std::string& item : items) {
        for (char c : item) {
            if (!IsDigit(c)) return BrokenReplyText("Content-Length: " + value.substr(0, kShown));
        }
        if (item.empty()) return BrokenReplyText("Content-Length: " + value.substr(0, kShown));
    }
    for (const std::string& item : items) {
        const size_t first = item.find_first_not_of('0');
        const std::string digits = first == std::string::npos ? "" : item.substr(first);
        if (digits.size() > 18 || (!digits.empty() && std::stoull(digits) > kLargestBody))
            return kBodyTooLarge;
    }
    return kConflictingLengths;
}

// One field's meaning, as a strict reading takes it; false with r.error set
// when it breaks the reply.
bool TakeField(const std::string& name, const std::string& value, FieldState& st,
               ReferenceResponse& r, bool trailer) {
    const std::string lower = LowerText(name);
    if (lower == "content-length") {
        const std::string text =
            st.encoding ? BrokenReplyText(kLengthBesideEncoding) : LengthText(value);
        if (st.chunkedLast) return r.error = text, false;
        bool found = st.length;
        uint64_t length = st.value;
        for (const std::string& item : Items(value)) {
            if (item.empty()) return r.error = text, false;
            uint64_t v = 0;
            for (char c : item) {
                const auto d = static_cast<uint64_t>(c - '0');
                if (!IsDigit(c) || v > UINT64_MAX / 10 || UINT64_MAX - v * 10 < d)
                    return r.error = text, false;
                v = v * 10 + d;
            }
            if (found && v != length) return r.error = text, false;
            found = true;
            length = v;
        }
        st.length = true;
        st.value = length;
    } else if (lower == "transfer-encoding") {
        if (st.chunkedLast || st.length) {
            r.error = BrokenReplyText(st.length ? kLengthBesideEncoding : kBrokenTransferEncoding);
            return false;
        }
        st.encoding = true;
        std::vector<std::string> codings;
        for (const std::string& item : Items(value)) {
            if (!item.empty() && !AllTchars(item))
                return r.error = BrokenReplyText(kBrokenTransferEncoding), false;
            if (!item.empty()) codings.push_back(LowerText(item));
        }
        for (size_t i = 0; i < codings.size(); ++i) {
            if (codings[i] == "chunked") {
                st.chunkedLast = i + 1 == codings.size();
                break;
            }
        }
        st.codings.insert(st.codings.end(), codings.begin(), codings.end());
    } else if (lower == "connection" || lower == "proxy-connection") {
        for (const std::string& item : Items(value)) {
            if (!item.empty() && !AllTchars(item))
                return r.error = BrokenReplyText(kBrokenFieldValue), false;
        }
    }
    // The trailers come after the client decided what the reply is.
    if (!trailer) r.headers.emplace_back(name, value);
    return true;
}

// The field lines of a block from pos to the empty line that ends at end
// (a whole block: its last four bytes are CR LF CR LF).
bool ReadFields(const std::string& b, size_t pos, size_t end, FieldState& st, ReferenceResponse& r,
                bool trailers = false) {
    while (pos + 2 < end) {
        if (b[pos] == '\r') return r.error = BrokenReplyText(kBrokenLineEnd), false;
        size_t p = pos;
        while (b[p] != ':') {
            if (!IsTchar(b[p])) return r.error = BrokenReplyText(kBrokenFieldName), false;
            ++p;
        }
        if (p == pos) return r.error = BrokenReplyText(kBrokenFieldName), false;
        const std::string name = b.substr(pos, p - pos);
        ++p;
        std::string value;
        // Once a value with something in it folds onto another line, it is
        // joined in a buffer of kLongestFoldedField bytes.
        bool joined = false;
        for (;;) {
            while (b[p] == ' ' || b[p] == '\t') ++p;
            const size_t start = p;
            while (!IsCtl(b[p])) ++p;
            if (b[p] != '\r') return r.error = BrokenReplyText(kBrokenFieldValue), false;
            if (b[p + 1] != '\n') return r.error = BrokenReplyText(kBrokenLineEnd), false;
            const std::string part = Ows(b.substr(start, p - start));
            if (!part.empty()) value += (value.empty() ? "" : " ") + part;
            p += 2;
            const bool folds = b[p] == ' ' || b[p] == '\t';  // obs-fold goes on
            joined = joined || (folds && !value.empty());
            if (joined && value.size() > kLongestFoldedField)
                return r.error = kFoldedFieldTooLong, false;
            if (!folds) break;
            ++p;
        }
        if (!TakeField(name, value, st, r, trailers)) return false;
        pos = p;
    }
    return true;
}

// The status line at the start of a whole block: HTTP/1.x SP 3DIGIT SP
// reason. Beast looks at its first 8, 9 and 13 bytes only once it has them
// (avail are all there will be): a line cut short before is no error, but
// no status line either (cut).
bool ReadStatus(const std::string& b, size_t& pos, size_t avail, ReferenceResponse& r, bool& cut) {
    const std::string broken = BrokenReplyText(kBrokenStatusLine);
    cut = avail < 8;
    if (cut) return false;
    if (b.compare(pos, 7, "HTTP/1.") != 0 || !IsDigit(b[pos + 7])) return r.error = broken, false;
    cut = avail < 9;
    if (cut) return false;
    if (b[pos + 8] != ' ') return r.error = broken, false;
    cut = avail < 13;
    if (cut) return false;
    size_t p = pos + 9;
    for (int i = 0; i < 3; ++i) {
        if (!IsDigit(b[p + i])) return r.error = broken, false;
    }
    if (b[p + 3] != ' ') return r.error = broken, false;
    p += 4;
    while (!IsCtl(b[p])) ++p;
    if (b[p] != '\r') return r.error = broken, false;
    if (b[p + 1] != '\n') return r.error = BrokenReplyText(kBrokenLineEnd), false;
    r.statusLine = b.substr(pos, p - pos);
    r.status = std::stoi(b.substr(pos + 9, 3));
    r.hasStatus = true;
    pos = p + 2;
    return true;
}

// The interim answers and the final head. False when no whole head could
// be read: r says why (an error, a partial head, or no bytes at all).
bool ReadHeads(const std::string& b, size_t& pos, FieldState& st, ReferenceResponse& r,
               bool endIsClose) {
    size_t used = 0;
    for (;;) {
        r = ReferenceResponse();
        st = FieldState();
        const size_t room = kLargestHead - used;
        const size_t window = std::min(b.size() - pos, room);
        const size_t eom = b.find("\r\n\r\n", pos);
        const bool whole = eom != std::string::npos && eom + 4 - pos <= window;
        if (!LinesFit(b, pos, whole ? eom + 4 : pos + window)) {
            r.lineTooLong = true;
            r.error = kMaxLineLengthExceeded;
            return false;
        }
        if (!whole) {
            // Beast reads what there is: its verdict on a cut head is not
            // this reading's; none of it is ever a file.
            r.partialHead = pos < b.size();
            r.headTooLarge = window == room;
            if (r.headTooLarge) {
                r.error = kHeaderBlockTooLarge;
            } else if (endIsClose && b.find("\r\n", pos) != std::string::npos) {
                // The status line arrived whole: a close after it leaves
                // an answer without a body (a reset is its own error).
                // Whether a cut line is refused or awaited is Beast's to
                // say: this reading names no error for it.
                size_t p = pos;
                bool cut = false;
                if (!ReadStatus(b, p, window, r, cut)) r.error.clear();
            }
            return false;
        }
        size_t p = pos;
        bool cut = false;
        // The client reads on until 13 bytes are there or the server closed.
        if (window < 13 && !endIsClose) {
            r.partialHead = true;
            return false;
        }
        if (!ReadStatus(b, p, window, r, cut)) {
            // A line too short to be read waits for bytes that never come.
            r.partialHead = cut;
            if (cut && !endIsClose) r.error.clear();
            return false;
        }
        if (!ReadFields(b, p, eom + 4, st, r)) return false;
        used += eom + 4 - pos;
        pos = eom + 4;
        if (r.status < 100 || r.status > 199 || r.status == 101) break;
    }
    r.headComplete = true;
    return true;
}

// Chunk extensions as Beast's grammar reads them, from p: npos when the
// bytes end first, else where they stop.
size_t Extensions(const std::string& b, size_t p, bool& bad) {
    const size_t end = b.size();
    auto blanks = [&] {
        while (p < end && (b[p] == ' ' || b[p] == '\t')) ++p;
    };
    for (;;) {
        if (p == end) return std::string::npos;
        if (b[p] != ' ' && b[p] != '\t' && b[p] != ';') return p;
        blanks();
        if (p == end) return std::string::npos;
        if (b[p] != ';') return bad = true, p;
        for (;;) {
            ++p;
            blanks();
            if (p == end) return std::string::npos;
            if (!IsTchar(b[p])) return bad = true, p;
            while (p < end && IsTchar(b[p])) ++p;
            if (p == end) return std::string::npos;
            const bool spaced = b[p] == ' ' || b[p] == '\t';
            blanks();
            if (p == end) return std::string::npos;
            if (b[p] == ';') continue;
            if (b[p] != '=') return bad = spaced, p;
            ++p;
            blanks();
            if (p == end) return std::string::npos;
            if (b[p] != '"') {
                if (!IsTchar(b[p])) return bad = true, p;
                while (p < end && IsTchar(b[p])) ++p;
                if (p == end) return std::string::npos;
            } else {
                for (++p;; ++p) {
                    if (p >= end) return std::string::npos;
                    if (b[p] == '"') break;
                    if (b[p] == '\\') ++p;
                }
                ++p;
            }
            break;
        }
    }
}

// What the client says of the unparsed bytes from rest on, once the bytes end.
void Unended(const std::string& b, size_t rest, size_t lineEnd, ReferenceResponse& r) {
    const size_t bound = kLargestHead + lineEnd;
    const size_t size = b.size() - rest;
    if (!LinesFit(b, rest, rest + std::min(size, bound))) {
        r.error = kMaxLineLengthExceeded;
    } else if (size > lineEnd && b.find('\r', rest + lineEnd) + 1 < b.size() &&
               b[b.find('\r', rest + lineEnd) + 1] == '\n' && b[rest + lineEnd] != '0') {
        r.error = kBrokenChunk;
    } else if (size > bound) {
        r.error = kHeaderBlockTooLarge;
    }
}

void ReadChunks(const std::string& b, size_t pos, FieldState& st, ReferenceResponse& r) {
    uint64_t total = 0;
    for (bool first = true;; first = false) {
        const size_t lineEnd = first ? 0 : 2;
        const size_t rest = pos;
        if (b.size() - rest < lineEnd + 2) return Unended(b, rest, lineEnd, r);
        if (!first && b.compare(pos, 2, "\r\n") != 0) return void(r.error = kBrokenChunk);
        pos += lineEnd;
        const size_t cr = b.find('\r', pos);
        if (cr == std::string::npos || cr + 1 == b.size()) return Unended(b, rest, lineEnd, r);
        if (b[cr + 1] != '\n') return void(r.error = BrokenReplyText(kBrokenLineEnd));
        uint64_t size = 0;
        size_t p = pos;
        if (HexDigit(b[p]) < 0) return void(r.error = kBrokenChunk);
        for (; HexDigit(b[p]) >= 0; ++p) {
            if (size >> 60) return void(r.error = kBrokenChunk);
            size = size * 16 + static_cast<uint64_t>(HexDigit(b[p]));
        }
        if (size > kLargestBody - total) return void(r.error = kBodyTooLarge);
        const size_t eom = size == 0 ? b.find("\r\n\r\n", cr) : 0;
        if (eom == std::string::npos) return Unended(b, rest, lineEnd, r);
        bool bad = false;
        const size_t stop = Extensions(b, p, bad);
        if (stop == std::string::npos) return Unended(b, rest, lineEnd, r);
        if (bad || stop != cr) return void(r.error = kBrokenChunk);
        if (size == 0) {
            if (!LinesFit(b, pos, eom + 4)) return void(r.error = kMaxLineLengthExceeded);
            if (eom + 4 - pos > kLargestHead) return void(r.error = kHeaderBlockTooLarge);
            st.chunkedLast = true;
            if (!ReadFields(b, cr + 2, eom + 4, st, r, true)) return;
            r.complete = true;
            r.end = eom + 4;
            return;
        }
        if (cr - pos > kLongestLine) return void(r.error = kMaxLineLengthExceeded);
        total += size;
        r.announced = total;
        pos = cr + 2;
        const uint64_t left = b.size() - pos;
        r.body += b.substr(pos, static_cast<size_t>(size < left ? size : left));
        if (size > left) return;
        pos += static_cast<size_t>(size);
    }
}

}  // namespace

std::string ReferenceResponse::Header(const std::string& name) const {
    for (const auto& h : headers) {
        if (LowerText(h.first) == LowerText(name)) return h.second;
    }
    return std::string();
}

bool ReferenceResponse::IsRedirect() const {
    return headComplete && error.empty() && !Header("Location").empty();
}

bool ReferenceResponse::IsSuccess() const {
    return headComplete && status == 200 && !IsRedirect();
}

bool ReferenceResponse::Whole() const {
    if (!IsSuccess() || !complete || !error.empty()) return false;
    if (framing == Framing::Length || framing == Framing::Chunked)
        return announced >= kSmallestFile && body.size() == announced;
    return false;
}

ReferenceResponse ReadReference(const std::string& bytes, bool endIsClose) {
    ReferenceResponse r;
    FieldState st;
    size_t pos = 0;
    if (!ReadHeads(bytes, pos, st, r, endIsClose)) return r;
    const int s = r.status;
    const bool noBody = (s >= 100 && s <= 199) || s == 204 || s == 304;
    if (!noBody && st.length && st.value > kLargestBody) {
        r.error = kBodyTooLarge;
        r.framing = Framing::Length;
        return r;
    }
    if (st.encoding && st.length) {
        r.error = BrokenReplyText(kLengthBesideEncoding);
        return r;
    }
    if (noBody) {
        r.framing = Framing::NoBody;
        r.complete = true;
        r.end = pos;
    } else if (st.encoding && !st.codings.empty() && st.codings.back() == "chunked") {
        if (st.codings.size() > 1) {
            std::string list;
            for (const std::string& c : st.codings) list += (list.empty() ? "" : ", ") + c;
            r.error = BrokenReplyText(std::string(kBrokenTransferEncoding) + ": " +
                                      list.substr(0, kShown));
            return r;
        }
        r.framing = Framing::Chunked;
        ReadChunks(bytes, pos, st, r);
    } else if (st.length && !st.encoding) {
        r.framing = Framing::Length;
        r.announced = st.value;
        const uint64_t left = bytes.size() - pos;
        r.body = bytes.substr(pos, static_cast<size_t>(st.value < left ? st.value : left));
        r.complete = left >= st.value;
        r.end = pos + r.body.size();
    } else {
        r.framing = Framing::ToClose;
        r.body = bytes.substr(pos);
        r.complete = endIsClose;
        r.end = bytes.size();
    }
    // Bytes after a body the reply delimited itself: its announcement lied.
    if (r.complete && r.IsSuccess() && r.end < bytes.size()) {
        r.complete = false;
        r.error = kMoreThanAnnounced;
    }
    return r;
}

}  // namespace pellinor::fuzz
