// The program's HTTP/1.1 client over Boost.Asio, driven on
// the window's thread: GET with redirects, cookies held for the life of the
// program, kept-open connections, progress events, and the error texts the
// user sees. One instance lives as long as the window.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "http/HttpResponse.h"

namespace pellinor {

struct ProxyEndpoint;

class HttpTransport;
class ScratchFile;
class TlsSessions;
struct HttpUrl;
struct ResumePoint;

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
    // arrived before the error. With a resume point the GET continues the
    // download under way (its time limit goes on) and asks for the rest of
    // the file from there; a 206 that continues it exactly is taken as a
    // success and appended to the bytes held (see ResumableFetch.h).
    void Get(const HttpUrl& url, HttpResponse& response, const ResumePoint* resume = nullptr);
    // The same for an address already written in its encoded form (tests,
    // the fuzzing): split into its parts first.
    void Get(const std::string& encodedUrl, HttpResponse& response);

    // True while a GET runs: the request is open, no body has been handed
    // back yet.
    bool Busy() const { return busy_; }
    // How many GETs have ended, however they ended: a command whose GET
    // has not ended yet can still be stopped before its file is written.
    uint64_t GetsEnded() const { return getsEnded_; }
    // Called from inside a window turn of a running GET (the user closes the
    // window): the GET ends at once with RequestStopped, and so does every
    // later one, since the program closes after a stop.
    void Stop();
    // https addresses go over the system's TLS through sessions; without
    // it they are refused before any lookup.
    void UseTlsSessions(TlsSessions* sessions);
    // Waits between two tries of a download, giving the window its turns;
    // busy meanwhile, so that the close box stops it with RequestStopped.
    void Pause(std::chrono::milliseconds pause);
    // On: a GET that is no resume goes on with the time limit of the one
    // before instead of starting its own (a command's files tried in turn
    // are one download); off: each starts its own, as by default.
    void ContinueDownload(bool on);
    // A file's body goes on from memory into scratch (emptied at the start
    // of each body that is the file from its start) as it arrives: the
    // response's spilled bytes are scratch's. Null: all of it in memory.
    void SpillBodiesTo(ScratchFile* scratch);
    // Decides the proxy for each address requested, a redirect's target
    // included; without one every request goes direct.
    void SetProxyChooser(std::function<ProxyEndpoint(const HttpUrl& url)> chooser);

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
    bool busy_ = false;
    uint64_t getsEnded_ = 0;
};

}  // namespace pellinor
