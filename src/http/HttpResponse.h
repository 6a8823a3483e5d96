// What one GET brings back and the events it sends while it runs: the
// terms the client and the reading of a reply share.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pellinor {

struct ProxyCredentials;

struct HttpEvents {
    std::function<void(int32_t workCountMax)> workBegin;  // before each body (or chunk)
    std::function<void(int32_t workCount)> work;          // bytes since the last workBegin
    std::function<void()> processMessages;                // keeps the window alive while waiting
    // A proxy ("host:port") asks for a Basic sign-in: true with the user's
    // answer, false when the user declines. None: the 407 ends the GET.
    std::function<bool(const std::string& proxy, ProxyCredentials& credentials)>
        askProxyCredentials;
};

// How a response's body was delimited.
enum class BodyFraming {
    None,     // no body: no final response, or a status that has none
    Length,   // by its "Content-Length"
    Chunked,  // by chunks, up to the last one
    Close,    // up to the server's close, which cannot tell a cut from an end
};

struct HttpResponse {
    std::string url;         // the address that gave the final response
    std::string statusLine;  // of the final response, empty when none arrived
    int status = -1;         // its number, -1 when none arrived
    // Its header fields as received: what a resume needs (validators,
    // Accept-Ranges) is read from them.
    std::vector<std::pair<std::string, std::string>> headers;
    // The final response's body as far as it arrived: those of its bytes
    // that the client's scratch file took (the first spilled), then body.
    uint64_t spilled = 0;
    std::string body;
    BodyFraming framing = BodyFraming::None;
    // The "Content-Length", or the sum of the chunk sizes; for a body that
    // continues bytes held from before, those bytes plus the piece's.
    uint64_t announced = 0;
    bool complete = false;  // the body's end arrived: its length, its last chunk, or the close
    std::string proxy;      // "host:port" of the proxy of the last request, or "direct"
    std::string tls;        // the TLS protocol and cipher of the last request; empty for http

    uint64_t BodySize() const { return spilled + body.size(); }
};

// Whether the body is a whole file that may be written: the one rule that
// decides it, for the window's download and the support tool alike.
bool IsBodyWhole(const HttpResponse& response);

}  // namespace pellinor
