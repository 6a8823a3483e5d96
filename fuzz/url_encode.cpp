// Fuzzes EncodeUrl with any text. Invariants: no crash; the only errors are
// the two texts of a missing protocol or host, the first exactly when the
// text has no "://" after at least one byte; on success the protocol,
// host and port stay as written, no "\" is left, the parts that are sent
// hold only the bytes their rules let through, and decoding them gives
// back the parts of the typed text.
#include <cstdint>
#include <string>

#include "platform/Error.h"
#include "support/FuzzCheck.h"
#include "transfer/HttpUrl.h"
#include "transfer/UrlEncode.h"

using namespace pellinor;

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // the encoder writes upper-case digits only
}

// Each "%" opens two hex digits; gives the bytes they stand for.
std::string Decoded(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        FUZZ_CHECK(i + 2 < s.size());
        const int hi = HexValue(s[i + 1]);
        const int lo = HexValue(s[i + 2]);
        FUZZ_CHECK(hi >= 0 && lo >= 0);
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

// Bytes that must never be sent as they are in the path and the document.
bool RawInPath(unsigned char c) {
    return c <= 32 || c >= 128 || c == '*' || c == '#' || c == '<' || c == '>' || c == '+';
}

// And in the query, where byte 128 is left alone but "[" and "]" are not.
bool RawInQuery(unsigned char c) {
    return c <= 32 || c >= 129 || c == '*' || c == '#' || c == '<' || c == '>' || c == '[' ||
           c == ']';
}

void CheckEncoded(const std::string& part, bool (*raw)(unsigned char)) {
    for (char c : part) FUZZ_CHECK(!raw(static_cast<unsigned char>(c)));
    Decoded(part);  // checks that every "%" opens an escape
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string slashed = text;
    for (char& c : slashed) {
        if (c == '\\') c = '/';
    }
    const size_t sep = slashed.find("://");
    const bool hasProtocol = sep != std::string::npos && sep > 0;

    std::string encoded;
    try {
        encoded = EncodeUrl(text).Text();
    } catch (const Error& e) {
        const std::string message = e.what();
        if (hasProtocol) {
            FUZZ_CHECK(message == "Host field is empty");
        } else {
            FUZZ_CHECK(message == "Protocol field is empty");
        }
        return 0;
    }
    FUZZ_CHECK(hasProtocol);
    FUZZ_CHECK(encoded.compare(0, sep + 3, slashed, 0, sep + 3) == 0);
    FUZZ_CHECK(encoded.find('\\') == std::string::npos);

    // The encoded address leads to the same server, and its parts decode to
    // what was typed.
    const HttpUrl typed = ParseHttpUrl(text);
    const HttpUrl sent = ParseHttpUrl(encoded);
    FUZZ_CHECK(sent.protocol == typed.protocol);
    FUZZ_CHECK(sent.host == typed.host);
    FUZZ_CHECK(sent.port == typed.port);
    FUZZ_CHECK(sent.hasQuery == typed.hasQuery);
    CheckEncoded(sent.path, RawInPath);
    CheckEncoded(sent.document, RawInPath);
    CheckEncoded(sent.query, RawInQuery);
    FUZZ_CHECK(Decoded(sent.path) == typed.path);
    FUZZ_CHECK(Decoded(sent.document) == typed.document);
    FUZZ_CHECK(Decoded(sent.query) == typed.query);
    // Encoding what was sent again only turns each "%" into "%25".
    size_t percents = 0;
    for (char c : sent.Target()) percents += c == '%';
    FUZZ_CHECK(EncodeUrl(encoded).Text().size() == encoded.size() + 2 * percents);
    return 0;
}
