// Fuzzes ResolveLocation: the input's first line is the current address,
// the rest the Location a server sent. Invariants: no crash; only an
// absolute location may fail, and only with the two known texts; a
// location that starts with a single "/" or names no protocol stays on the
// current server; a relative one leaves no "." or ".." segment in the path
// (RFC 3986 5.2.4); no fragment of the location is kept; every path is a
// directory ("/" ... "/"); the result, written out and parsed again, is the
// same address.
#include <cstdint>
#include <string>

#include "platform/Error.h"
#include "support/FuzzCheck.h"
#include "transfer/HttpUrl.h"

using namespace pellinor;

namespace {

// Whether the location may leave the current server: it begins with a
// protocol name and "://" before any path, query or fragment.
bool NamesAServer(const std::string& location) {
    const std::string ref = location.substr(0, location.find('#'));
    const size_t sep = ref.find("://");
    if (sep != std::string::npos && ref.find_first_of("/?#") == sep + 1) return true;
    // "//host", also behind the current scheme, or another scheme.
    const size_t colon = ref.find(':');
    const size_t start = colon < ref.find_first_of("/?") ? colon + 1 : 0;
    return ref.compare(start, 2, "//") == 0 || (colon != std::string::npos && start > 0);
}

void CheckSegments(const std::string& path, const std::string& document) {
    size_t start = 1;
    while (start < path.size()) {
        const size_t end = path.find('/', start);
        const std::string segment = path.substr(start, end - start);
        FUZZ_CHECK(segment != "." && segment != "..");
        start = end + 1;
    }
    FUZZ_CHECK(document != "." && document != "..");
}

void CheckSameAddress(const HttpUrl& a, const HttpUrl& b) {
    FUZZ_CHECK(a.protocol == b.protocol);
    FUZZ_CHECK(a.host == b.host);
    FUZZ_CHECK(a.port == b.port);
    FUZZ_CHECK(a.path == b.path);
    FUZZ_CHECK(a.document == b.document);
    FUZZ_CHECK(a.hasQuery == b.hasQuery);
    FUZZ_CHECK(a.query == b.query);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t lf = input.find('\n');
    if (lf == std::string::npos) return 0;
    HttpUrl current;
    try {
        current = ParseHttpUrl(input.substr(0, lf));
    } catch (const Error&) {
        return 0;  // not an address the client could have fetched
    }
    std::string location = input.substr(lf + 1);
    std::string slashed = location;
    for (char& c : slashed) {
        if (c == '\\') c = '/';
    }
    const bool absolute = NamesAServer(slashed);

    HttpUrl next;
    try {
        next = ResolveLocation(current, location);
    } catch (const Error& e) {
        const std::string message = e.what();
        FUZZ_CHECK(absolute);
        FUZZ_CHECK(message == "Protocol field is empty" || message == "Host field is empty");
        return 0;
    }
    FUZZ_CHECK(!next.path.empty() && next.path[0] == '/' && next.path.back() == '/');
    FUZZ_CHECK(next.document.find('/') == std::string::npos);
    const size_t hash = slashed.find('#');
    if (hash != std::string::npos && hash + 1 < slashed.size() &&
        current.Text().find('#') == std::string::npos)
        FUZZ_CHECK(next.Text().find('#') == std::string::npos);
    if (!absolute) {
        FUZZ_CHECK(next.protocol == current.protocol);
        FUZZ_CHECK(next.host == current.host);
        FUZZ_CHECK(next.port == current.port);
        // An empty path (only "?q" or "#f", or nothing) keeps the current one as it is.
        if (slashed.find_first_of("?#") != 0 && !slashed.empty())
            CheckSegments(next.path, next.document);
    }
    CheckSameAddress(ParseHttpUrl(next.Text()), next);
    return 0;
}
