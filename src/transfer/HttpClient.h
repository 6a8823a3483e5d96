// The program's HTTP/1.1 client over Boost.Asio, driven on
// the window's thread: GET with redirects, cookies held for the life of the
// program, kept-open connections, progress events, and the error texts the
// user sees. One instance lives as long as the window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace pellinor {

struct ProxyCredentials;
struct ProxyEndpoint;

struct HttpEvents {
    std::function<void(int32_t workCountMax)> workBegin;  // before each body (or chunk)
    std::function<void(int32_t workCount)> work;          // bytes since the last workBegin
    std::function<void()> processMessages;                // keeps the window alive while waiting
    // A proxy ("host:port") asks for a Basic sign-in: true with the user's
    // answer, false when the user declines. None: the 407 ends the GET.
    std::function<bool(const std::string& proxy, ProxyCredentials& credentials)>
        askProxyCredentials;
};

class HttpTransport;
struct HttpUrl;

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
    std::string body;        // the final response's body as far as it arrived
    BodyFraming framing = BodyFraming::None;
    uint64_t announced = 0;  // the "Content-Length", or the sum of the chunk sizes
    bool complete = false;   // the body's end arrived: its length, its last chunk, or the close
    std::string proxy;       // "host:port" of the proxy of the last request, or "direct"
};

// Whether the body is a whole file that may be written: the one rule that
// decides it, for the window's download and the support tool alike.
bool IsBodyWhole(const HttpResponse& response);

class HttpClient {
  public:
    explicit HttpClient(HttpEvents events);
    // Over the given transport instead of a socket connection of its own:
    // every Open of the client goes to it (the fuzzing of the response path,
    // and tests that shorten the silence limit).
    HttpClient(HttpEvents events, std::unique_ptr<HttpTransport> transport);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // GETs an encoded address into response, following redirects. Throws
    // pellinor::Error with the user's text on failure; response keeps what
    // arrived before the error.
    void Get(const HttpUrl& url, HttpResponse& response);
    // The same for an address already written in its encoded form (tests,
    // the fuzzing): split into its parts first.
    void Get(const std::string& encodedUrl, HttpResponse& response);

    // True while a GET runs: the request is open, no body has been handed
    // back yet.
    bool Busy() const { return busy_; }
    // Called from inside a window turn of a running GET (the user closes the
    // window): the GET ends at once with RequestStopped, and so does every
    // later one, since the program closes after a stop.
    void Stop();
    // Decides the proxy for each address requested, a redirect's target
    // included; without one every request goes direct.
    void SetProxyChooser(std::function<ProxyEndpoint(const HttpUrl& url)> chooser);

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
    bool busy_ = false;
};

}  // namespace pellinor
