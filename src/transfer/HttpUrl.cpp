// Splitting "http://" addresses and following relative redirects.
#include "transfer/HttpUrl.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/Error.h"
#include "text/TextRules.h"

namespace pellinor {
namespace {

std::string Slashed(std::string s) {
    for (char& c : s) {
        if (c == '\\') c = '/';
    }
    return s;
}

bool IsPort(const std::string& port, int number) {
    if (port.empty() || port.size() > 5) return false;
    for (char c : port) {
        if (c < '0' || c > '9') return false;
    }
    return std::stoi(port) == number;
}

// A port of digits as its number is written: leading zeros name the same
// port (RFC 3986 3.2.3), and the Host line, the connection and the range
// check all read it as a number. Anything else is left for the check
// before the connection to refuse.
std::string WithoutLeadingZeros(const std::string& port) {
    if (port.empty() || port.find_first_not_of("0123456789") != std::string::npos) return port;
    const size_t first = port.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : port.substr(first);
}

// The part after the host: "/dir/doc#frag?query". The fragment is cut from
// the document only: a "#" in the directory or the query is data and gets
// encoded like the other reserved bytes.
void SplitTail(const std::string& tail, HttpUrl& url) {
    const size_t q = tail.find('?');
    std::string before = tail.substr(0, q);
    // A "#" right after the host starts the path like any other byte, so
    // that the encoded address still names the host as written.
    if (before.empty() || before[0] != '/') before.insert(0, "/");
    url.hasQuery = q != std::string::npos;
    url.query = url.hasQuery ? tail.substr(q + 1) : std::string();
    const size_t slash = before.rfind('/');
    url.path = slash == std::string::npos ? std::string() : before.substr(0, slash + 1);
    url.document = slash == std::string::npos ? before : before.substr(slash + 1);
    const size_t hash = url.document.find('#');
    if (hash != std::string::npos) url.document.erase(hash);
    // A request line always names at least the root.
    if (url.path.empty()) url.path = "/";
}

// RFC 3986 5.2.4: the "." and ".." segments of an absolute path taken
// out; other segments, empty ones too, stay as they are.
std::string RemoveDotSegments(const std::string& in) {
    std::string out;
    size_t pos = 0;
    auto at = [&](const char* prefix) { return in.compare(pos, std::strlen(prefix), prefix) == 0; };
    auto rest = [&](const char* whole) { return in.compare(pos, std::string::npos, whole) == 0; };
    auto dropLast = [&] { out.erase(std::min(out.rfind('/'), out.size())); };
    while (pos < in.size()) {
        if (at("../")) {
            pos += 3;
        } else if (at("./")) {
            pos += 2;
        } else if (at("/./")) {
            pos += 2;
        } else if (rest("/.")) {
            out += '/';
            break;
        } else if (at("/../")) {
            pos += 3;
            dropLast();
        } else if (rest("/..")) {
            dropLast();
            out += '/';
            break;
        } else if (rest(".") || rest("..")) {
            break;
        } else {
            const size_t next = in.find('/', pos + 1);
            out.append(in, pos, next == std::string::npos ? std::string::npos : next - pos);
            pos = next == std::string::npos ? in.size() : next;
        }
    }
    return out;
}

// Splits an absolute path into the directory (through its last "/") and
// the document after it.
void SplitPath(const std::string& full, std::string& directory, std::string& document) {
    const size_t slash = full.rfind('/');
    directory = slash == std::string::npos ? std::string("/") : full.substr(0, slash + 1);
    document = slash == std::string::npos ? full : full.substr(slash + 1);
    if (directory.empty() || directory[0] != '/') directory.insert(0, "/");
}

// The length of an RFC 3986 scheme at the start of reference ("http" in
// "http:..."), 0 when it starts with none.
size_t SchemeLength(const std::string& reference) {
    if (reference.empty() || !std::isalpha(static_cast<unsigned char>(reference[0]))) return 0;
    for (size_t i = 1; i < reference.size(); ++i) {
        const auto c = static_cast<unsigned char>(reference[i]);
        if (c == ':') return i;
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return 0;
    }
    return 0;
}

// An absolute address of a Location, its dot segments taken out.
HttpUrl Absolute(const std::string& text);

}  // namespace

std::string HttpUrl::Target() const {
    std::string t = path + document;
    if (hasQuery) t += "?" + query;
    return t;
}

bool HttpUrl::Secure() const {
    return SameTextAscii(protocol, "https");
}

std::string HttpUrl::DefaultPort() const {
    return Secure() ? "443" : "80";
}

std::string HttpUrl::HostHeader() const {
    if (port.empty() || IsPort(port, std::stoi(DefaultPort()))) return host;
    return host + ":" + port;
}

std::string HttpUrl::Text() const {
    std::string t = protocol + "://" + host;
    if (!port.empty()) t += ":" + port;
    return t + Target();
}

HttpUrl ParseHttpUrl(const std::string& text) {
    const std::string s = Slashed(text);
    const size_t sep = s.find("://");
    if (sep == std::string::npos || sep == 0) throw Error("Protocol field is empty");
    HttpUrl url;
    url.protocol = s.substr(0, sep);
    const std::string rest = s.substr(sep + 3);
    const size_t authorityEnd = rest.find_first_of("/?#");
    std::string authority = rest.substr(0, authorityEnd);
    const std::string tail =
        authorityEnd == std::string::npos ? std::string() : rest.substr(authorityEnd);

    // A user name and password are never sent anywhere.
    const size_t at = authority.rfind('@');
    if (at != std::string::npos) authority.erase(0, at + 1);

    size_t colon = std::string::npos;
    if (!authority.empty() && authority[0] == '[') {
        const size_t close = authority.find(']');
        if (close != std::string::npos && close + 1 < authority.size() &&
            authority[close + 1] == ':')
            colon = close + 1;
    } else {
        colon = authority.find(':');
    }
    url.host = authority.substr(0, colon);
    if (colon != std::string::npos) url.port = WithoutLeadingZeros(authority.substr(colon + 1));
    if (url.host.empty()) throw Error("Host field is empty");

    SplitTail(tail, url);
    return url;
}

namespace {
HttpUrl Absolute(const std::string& text) {
    HttpUrl next = ParseHttpUrl(text);
    SplitPath(RemoveDotSegments(next.path + next.document), next.path, next.document);
    return next;
}
}  // namespace

HttpUrl ResolveLocation(const HttpUrl& current, const std::string& location) {
    std::string ref = Slashed(location);
    // The fragment belongs to the page, never to the request.
    ref.erase(std::min(ref.find('#'), ref.size()));
    // Only a protocol name before "://" leads to another server: a "://"
    // further on (a return address in the query, say) is data.
    const size_t sep = ref.find("://");
    if (sep != std::string::npos && ref.find_first_of("/?#") == sep + 1) return Absolute(ref);
    const size_t scheme = SchemeLength(ref);
    if (scheme > 0) {
        // "http:y" is read as "y", as RFC 3986 5.2.2 allows for the current
        // scheme; any other scheme without a server is no address to fetch.
        if (!SameTextAscii(ref.substr(0, scheme), current.protocol)) return ParseHttpUrl(ref);
        ref.erase(0, scheme + 1);
    }
    // A network-path reference names another server over the same protocol.
    if (ref.compare(0, 2, "//") == 0) return Absolute(current.protocol + ":" + ref);

    HttpUrl next = current;
    const size_t q = ref.find('?');
    const std::string path = ref.substr(0, q);
    if (q != std::string::npos) {
        next.hasQuery = true;
        next.query = ref.substr(q + 1);
    } else if (!path.empty()) {
        next.hasQuery = false;
        next.query.clear();
    }
    // An empty path keeps the current document ("?q" changes its query
    // only, "" is the current address itself).
    if (path.empty()) return next;
    const std::string merged = path[0] == '/' ? path : current.path + path;
    SplitPath(RemoveDotSegments(merged), next.path, next.document);
    return next;
}

}  // namespace pellinor
