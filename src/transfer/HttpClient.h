// The program's HTTP/1.1 client over Boost.Beast and Boost.Asio, driven on
// the window's thread: GET with redirects, cookies held for the life of the
// program, kept-open connections, progress events, and the error texts the
// user sees. One instance lives as long as the window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace pellinor {

struct HttpEvents {
    std::function<void(int32_t workCountMax)> workBegin;  // before each body (or chunk)
    std::function<void(int32_t workCount)> work;          // bytes since the last workBegin
    std::function<void()> processMessages;                // keeps the window alive while waiting
};

class HttpTransport;

struct HttpResponse {
    std::string body;       // the final response's body as far as it arrived
    bool complete = false;  // the whole body arrived: its length reached, or its last chunk
};

class HttpClient {
  public:
    explicit HttpClient(HttpEvents events);
    // Over the given transport instead of a socket connection of its own:
    // every Open of the client goes to it (the fuzzing of the response path).
    HttpClient(HttpEvents events, std::unique_ptr<HttpTransport> transport);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // GETs an already encoded "http://" URL into response, following
    // redirects. Throws pellinor::Error with the user's text on failure;
    // response keeps what arrived before the error.
    void Get(const std::string& url, HttpResponse& response);

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace pellinor
