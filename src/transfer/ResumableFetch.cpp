// The rules of a resumed download: which cut may be resumed, and which
// answer continues it.
#include "transfer/ResumableFetch.h"

#include <ctime>

#include "http/SocketErrors.h"
#include "text/TextRules.h"
#include "transfer/Cookies.h"

namespace pellinor {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

std::string Field(const Fields& headers, const std::string& name) {
    for (const auto& h : headers) {
        if (SameTextAscii(h.first, name)) return Trim(h.second);
    }
    return std::string();
}

// Reads the decimal digits at text[pos] on into value; false when there are
// none or they overflow 64 bits.
bool Number(const std::string& text, size_t& pos, uint64_t& value) {
    const size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        const uint64_t digit = static_cast<uint64_t>(text[pos] - '0');
        if (value > (UINT64_MAX - digit) / 10) return false;
        value = value * 10 + digit;
        ++pos;
    }
    return pos > start;
}

}  // namespace

std::string RangeLines(const ResumePoint& point) {
    if (point.From() == 0) return std::string();
    return "Range: bytes=" + std::to_string(point.From()) + "-\r\nIf-Range: " + point.validator +
           "\r\n";
}

bool ContinuesAt(const std::string& contentRange, uint64_t from, uint64_t total) {
    const std::string unit = "bytes ";
    const std::string value = Trim(contentRange);
    if (value.size() < unit.size() || !SameTextAscii(value.substr(0, unit.size()), unit))
        return false;
    size_t pos = unit.size();
    uint64_t first = 0, last = 0, complete = 0;
    if (!Number(value, pos, first) || pos >= value.size() || value[pos++] != '-') return false;
    if (!Number(value, pos, last) || pos >= value.size() || value[pos++] != '/') return false;
    if (!Number(value, pos, complete) || pos != value.size()) return false;
    // The piece must be the rest of the same file: from the first byte not
    // held to the last byte of the length the first answer announced.
    return total > 0 && first == from && complete == total && last == total - 1;
}

std::string StrongValidator(const Fields& headers) {
    const std::string etag = Field(headers, "ETag");
    // A weak tag may stay the same while the bytes change: a piece asked
    // for under it could belong to another file.
    if (!etag.empty() && etag.compare(0, 2, "W/") != 0) return etag;
    // A file written twice within the second of its date keeps the date
    // (RFC 9110 8.8.2.2): only a date the server's clock had left by a
    // second when it answered names one content.
    const std::string modified = Field(headers, "Last-Modified");
    std::time_t changed = 0, now = 0;
    if (!ParseCookieDate(modified, changed) || !ParseCookieDate(Field(headers, "Date"), now) ||
        now - changed < 1) {
        return std::string();
    }
    return modified;
}

bool RangesRefused(const HttpResponse& response) {
    bool stated = false;
    for (const auto& h : response.headers) {
        if (!SameTextAscii(h.first, "Accept-Ranges")) continue;
        stated = true;
        for (const std::string& unit : Split(h.second, ',')) {
            if (SameTextAscii(Trim(unit), "bytes")) return false;
        }
    }
    return stated;
}

bool IsCut(const std::string& error) {
    // 10053 and 10054: the connection was aborted or reset under the body;
    // 10050 and 10052: the network went down or was reset under it; 10060:
    // the system gave up waiting. A clean close inside a chunked body and a
    // silence or a trickle past its bound are the line's too. Everything
    // else (a body too large, a length that lied, the download's own time
    // limit) is the server's answer or the end of waiting, not a cut.
    for (int number : {10050, 10052, 10053, 10054, 10060}) {
        if (error == SocketErrorMessage(number)) return true;
    }
    return error == kConnectionClosedGracefully || error == kReadTimeout;
}

}  // namespace pellinor
