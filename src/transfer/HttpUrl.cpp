// Splitting "http://" addresses and following relative redirects.
#include "transfer/HttpUrl.h"

#include <vector>

#include "platform/Error.h"

namespace pellinor {
namespace {

std::string Slashed(std::string s) {
    for (char& c : s) {
        if (c == '\\') c = '/';
    }
    return s;
}

bool IsPort80(const std::string& port) {
    if (port.empty() || port.size() > 5) return false;
    for (char c : port) {
        if (c < '0' || c > '9') return false;
    }
    return std::stoi(port) == 80;
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

// Resolves "." and ".." and collapses "//" in an absolute path that may end
// in a document; returns directory and document apart.
void Normalize(const std::string& full, std::string& directory, std::string& document) {
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= full.size()) {
        size_t end = full.find('/', start);
        if (end == std::string::npos) end = full.size();
        segments.push_back(full.substr(start, end - start));
        start = end + 1;
    }
    std::string last = segments.back();
    segments.pop_back();
    // The fragment goes first: "..#top" climbs like "..".
    const size_t hash = last.find('#');
    if (hash != std::string::npos) last.erase(hash);
    if (last == "." || last == "..") {
        segments.push_back(last);
        last.clear();
    }
    std::vector<std::string> kept;
    for (const std::string& s : segments) {
        if (s.empty() || s == ".") continue;
        if (s == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(s);
    }
    directory = "/";
    for (const std::string& s : kept) directory += s + "/";
    document = last;
}

}  // namespace

std::string HttpUrl::Target() const {
    std::string t = path + document;
    if (hasQuery) t += "?" + query;
    return t;
}

std::string HttpUrl::HostHeader() const {
    if (port.empty() || IsPort80(port)) return host;
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
    if (colon != std::string::npos) url.port = authority.substr(colon + 1);
    if (url.host.empty()) throw Error("Host field is empty");

    SplitTail(tail, url);
    return url;
}

HttpUrl ResolveLocation(const HttpUrl& current, const std::string& location) {
    const std::string loc = Slashed(location);
    // Only a protocol name before "://" leads to another server: a "://"
    // further on (a return address in the query, say) is data.
    const size_t sep = loc.find("://");
    if (sep != std::string::npos && loc.find_first_of("/?#") == sep + 1) return ParseHttpUrl(loc);

    HttpUrl next;
    next.protocol = current.protocol;
    next.host = current.host;
    next.port = current.port;
    const size_t q = loc.find('?');
    next.hasQuery = q != std::string::npos;
    next.query = next.hasQuery ? loc.substr(q + 1) : std::string();
    const std::string part = loc.substr(0, q);
    const std::string full = (!part.empty() && part[0] == '/') ? part : current.path + part;
    Normalize(full, next.path, next.document);
    return next;
}

}  // namespace pellinor
