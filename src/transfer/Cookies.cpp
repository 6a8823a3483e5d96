// Parsing, matching and expiring the client's in-memory cookies.
#include "transfer/Cookies.h"

#include <cstdint>

#include "text/TextRules.h"

namespace pellinor {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, without the C
// library's time zone handling, which differs between the two builds.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

bool AllDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int MonthNumber(const std::string& token) {
    static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                          "jul", "aug", "sep", "oct", "nov", "dec"};
    if (token.size() < 3) return 0;
    const std::string head = LowerAscii(token.substr(0, 3));
    for (int i = 0; i < 12; ++i) {
        if (head == kMonths[i]) return i + 1;
    }
    return 0;
}

// An IPv4 address in dotted form, or an IPv6 one in brackets: such a host
// is only ever matched by itself.
bool IsIpAddress(const std::string& host) {
    if (!host.empty() && host[0] == '[') return true;
    return !host.empty() && host.find_first_not_of("0123456789.") == std::string::npos;
}

}  // namespace

bool DomainMatches(const std::string& host, const std::string& domain) {
    if (host == domain) return true;
    if (IsIpAddress(host) || domain.empty() || host.size() <= domain.size()) return false;
    const size_t start = host.size() - domain.size();
    return host.compare(start, std::string::npos, domain) == 0 && host[start - 1] == '.';
}

bool ParseCookieDate(const std::string& text, std::time_t& when) {
    std::string normalized = text;
    for (char& c : normalized) {
        if (c == ',' || c == '-' || c == '\t') c = ' ';
    }
    int day = -1, month = 0, hour = -1, minute = 0, second = 0;
    int64_t year = -1;
    for (const std::string& token : Split(normalized, ' ')) {
        if (token.empty()) continue;
        if (token.find(':') != std::string::npos && hour < 0) {
            const std::vector<std::string> hms = Split(token, ':');
            if (hms.size() != 3) return false;
            // Two digits at most: a longer run would overflow the conversion.
            for (const std::string& part : hms) {
                if (!AllDigits(part) || part.size() > 2) return false;
            }
            hour = std::stoi(hms[0]);
            minute = std::stoi(hms[1]);
            second = std::stoi(hms[2]);
        } else if (month == 0 && MonthNumber(token) != 0) {
            month = MonthNumber(token);
        } else if (AllDigits(token) && token.size() <= 2 && day < 0) {
            day = std::stoi(token);
        } else if (AllDigits(token) && token.size() <= 4 && year < 0) {
            year = std::stoi(token);
            if (token.size() <= 2) year += year < 70 ? 2000 : 1900;
        }
    }
    if (day < 1 || day > 31 || month == 0 || year < 0 || hour < 0 || hour > 23 || minute > 59 ||
        second > 60)
        return false;
    const int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    when = static_cast<std::time_t>(days * 86400 + hour * 3600 + minute * 60 + second);
    return true;
}

void CookieJar::Store(const std::string& setCookie, const HttpUrl& from, std::time_t now) {
    // A control byte (a lone CR, say) would go back inside a later request's
    // Cookie line, to this server or another: such a cookie is ignored whole.
    for (char ch : setCookie) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c < 32 && c != '\t') || c == 127) return;
    }
    const std::vector<std::string> parts = Split(setCookie, ';');
    const size_t eq = parts[0].find('=');
    Cookie cookie;
    cookie.name = Trim(parts[0].substr(0, eq));
    if (cookie.name.empty()) return;
    cookie.value = eq == std::string::npos ? std::string() : Trim(parts[0].substr(eq + 1));
    cookie.domain = LowerAscii(from.host);
    cookie.path = from.path;
    bool haveMaxAge = false;
    for (size_t i = 1; i < parts.size(); ++i) {
        const size_t aeq = parts[i].find('=');
        const std::string key = LowerAscii(Trim(parts[i].substr(0, aeq)));
        const std::string value =
            aeq == std::string::npos ? std::string() : Trim(parts[i].substr(aeq + 1));
        if (key == "domain") {
            // An empty value, or "." alone, sets no domain at all.
            const std::string domain = LowerAscii(value.substr(value.compare(0, 1, ".") == 0));
            if (domain.empty()) continue;
            cookie.domain = domain;
            cookie.hostOnly = false;
        } else if (key == "secure") {
            cookie.secure = true;
        } else if (key == "path" && !value.empty()) {
            cookie.path = value;
        } else if (key == "max-age" && !value.empty()) {
            const bool negative = value[0] == '-';
            const std::string digits = negative ? value.substr(1) : value;
            if (!AllDigits(digits)) continue;
            haveMaxAge = true;
            cookie.persistent = true;
            const int64_t seconds = digits.size() > 12 ? INT64_C(999999999999) : std::stoll(digits);
            cookie.expires =
                (negative || seconds == 0) ? now - 1 : now + static_cast<std::time_t>(seconds);
        } else if (key == "expires" && !haveMaxAge) {
            std::time_t when = 0;
            if (ParseCookieDate(value, when)) {
                cookie.persistent = true;
                cookie.expires = when;
            }
        }
    }
    // A server may set a cookie for its own host or a domain above it,
    // never for another host or for a sibling.
    if (!cookie.hostOnly && !DomainMatches(LowerAscii(from.host), cookie.domain)) return;
    if (cookie.secure && !from.Secure()) return;
    std::string key = KeyOf(cookie);
    const auto held = index_.find(key);
    if (held != index_.end()) {
        cookies_[held->second] = std::move(cookie);
        return;
    }
    if (cookies_.size() >= kMaxCookies) return;
    index_.emplace(std::move(key), cookies_.size());
    cookies_.push_back(std::move(cookie));
}

void CookieJar::StoreAll(const std::vector<std::string>& setCookies, const HttpUrl& from,
                         std::time_t now) {
    for (const std::string& value : setCookies) Store(value, from, now);
}

std::string CookieJar::KeyOf(const Cookie& cookie) {
    // A zero byte never stands in a stored cookie: control bytes are refused.
    return cookie.name + '\0' + cookie.domain + '\0' + cookie.path;
}

void CookieJar::DropExpired(std::time_t now) {
    std::vector<Cookie> kept;
    for (Cookie& c : cookies_) {
        if (!c.persistent || c.expires > now) kept.push_back(std::move(c));
    }
    cookies_.swap(kept);
    index_.clear();
    for (size_t i = 0; i < cookies_.size(); ++i) index_.emplace(KeyOf(cookies_[i]), i);
}

std::string CookieJar::HeaderFor(const HttpUrl& url) const {
    const std::string host = LowerAscii(url.host);
    std::string header;
    for (const Cookie& c : cookies_) {
        if (c.value.empty() || (c.secure && !url.Secure())) continue;
        if (c.hostOnly ? host != c.domain : !DomainMatches(host, c.domain)) continue;
        if (url.path.compare(0, c.path.size(), c.path) != 0) continue;
        if (!header.empty()) header += "; ";
        header += c.name + "=" + c.value;
    }
    return header;
}

}  // namespace pellinor
