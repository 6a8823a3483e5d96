// Basic sign-in to a proxy: reading its offers, writing the answer.
#include "transfer/ProxyAuth.h"

#include "text/TextRules.h"

namespace pellinor {
namespace {

std::string Base64(const std::string& bytes) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                           static_cast<unsigned char>(bytes[i + 1]) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += kAlphabet[v >> 6 & 63];
        out += kAlphabet[v & 63];
    }
    if (i + 1 == bytes.size()) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += "==";
    } else if (i + 2 == bytes.size()) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                           static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += kAlphabet[v >> 6 & 63];
        out += '=';
    }
    return out;
}

}  // namespace

bool OffersBasic(const std::vector<std::string>& proxyAuthenticate) {
    for (const std::string& value : proxyAuthenticate) {
        // One challenge per value is what proxies send; its scheme is the
        // first word.
        const std::string challenge = Trim(value);
        const std::string scheme = challenge.substr(0, challenge.find(' '));
        if (SameTextAscii(scheme, "Basic")) return true;
    }
    return false;
}

bool UsableCredentials(const ProxyCredentials& credentials) {
    return !credentials.user.empty() && credentials.user.size() <= kMaxProxyCredential &&
           credentials.password.size() <= kMaxProxyCredential &&
           credentials.user.find(':') == std::string::npos;
}

std::string BasicAuthorization(const ProxyCredentials& credentials) {
    return "Basic " + Base64(credentials.user + ":" + credentials.password);
}

}  // namespace pellinor
