// Percent-encoding of a typed address before it is requested and shown.
#include "transfer/UrlEncode.h"

#include "transfer/HttpUrl.h"

namespace pellinor {
namespace {

void AppendEscaped(std::string& out, unsigned char c) {
    static const char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

// "%" is always in the set: an address that was encoded already is encoded
// again, which is how the program has always sent it.
bool EscapeInPath(unsigned char c) {
    if (c < 32 || c >= 128) return true;
    switch (c) {
        case ' ':
        case '*':
        case '#':
        case '%':
        case '<':
        case '>':
        case '+':
            return true;
        default:
            return false;
    }
}

// Form-parameter rules: "+", "&", "=" and "?" keep their meaning, a blank is
// %20 and never "+". Byte 128 is left alone here, unlike in the path.
bool EscapeInQuery(unsigned char c) {
    if (c < 33 || c >= 129) return true;
    switch (c) {
        case '*':
        case '#':
        case '%':
        case '<':
        case '>':
        case '[':
        case ']':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string PercentEscape(const std::string& s, bool (*escape)(unsigned char c)) {
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (escape(c)) {
            AppendEscaped(out, c);
        } else {
            out += ch;
        }
    }
    return out;
}

HttpUrl EncodeUrl(const std::string& url) {
    HttpUrl parts = ParseHttpUrl(url);
    parts.path = PercentEscape(parts.path, EscapeInPath);
    parts.document = PercentEscape(parts.document, EscapeInPath);
    parts.query = PercentEscape(parts.query, EscapeInQuery);
    return parts;
}

}  // namespace pellinor
