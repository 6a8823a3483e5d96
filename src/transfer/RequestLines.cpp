// The bytes of the requests the client writes.
#include "transfer/RequestLines.h"

namespace pellinor {

namespace {

// Servers have always seen this program by this name (some log or filter on
// it), and proxies see the tunnel's CONNECT come from the same one.
constexpr char kUserAgent[] = "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";

}  // namespace

// The header lines in the order servers have always seen from this program
// (some log or filter on it): Content-Type, Host, Accept, User-Agent, then
// Cookie. No Connection header: HTTP/1.1 keeps the connection by default.
// Through a proxy the request line names the whole address (RFC 9112 3.2.2)
// and a sign-in, once given, follows the other lines. An https request goes
// inside a tunnel, where the proxy reads nothing: it is written as to the
// server itself, and the sign-in went with the tunnel's CONNECT.
std::string RequestBytes(const HttpUrl& url, const std::string& cookies, bool viaProxy,
                         const std::string& proxyAuthorization, const std::string& range) {
    const std::string target =
        viaProxy ? "http://" + url.HostHeader() + url.Target() : url.Target();
    std::string r = "GET " + target + " HTTP/1.1\r\n";
    r += "Content-Type: text/html\r\n";
    r += "Host: " + url.HostHeader() + "\r\n";
    r += "Accept: text/html, */*\r\n";
    r += kUserAgent;
    if (!cookies.empty()) r += "Cookie: " + cookies + "\r\n";
    r += range;
    if (!proxyAuthorization.empty()) r += "Proxy-Authorization: " + proxyAuthorization + "\r\n";
    r += "\r\n";
    return r;
}

// The request that opens a tunnel through a proxy to an https server (RFC
// 9110 9.3.6): the server's name and port, as the Host line too.
std::string ConnectBytes(const HttpUrl& url, const std::string& proxyAuthorization) {
    const std::string authority = url.host + ":" + url.PortOrDefault();
    std::string r = "CONNECT " + authority + " HTTP/1.1\r\n";
    r += "Host: " + authority + "\r\n";
    r += kUserAgent;
    if (!proxyAuthorization.empty()) r += "Proxy-Authorization: " + proxyAuthorization + "\r\n";
    r += "\r\n";
    return r;
}

}  // namespace pellinor
