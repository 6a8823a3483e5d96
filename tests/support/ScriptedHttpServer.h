// An HTTP server on 127.0.0.1 for the tests: it answers each request with
// exactly the bytes a test scripts (in pieces, with pauses, then keeping the
// connection, closing it, resetting it or leaving it hanging) and records
// every request as received. Portable: the Wine tests build it as well.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pellinor {

enum class AfterReply {
    KeepOpen,  // wait for the next request on the same connection
    Close,     // close gracefully (FIN)
    Reset,     // abort the connection (RST)
    Hang,      // send nothing more and read nothing more until the server stops
};

struct ScriptedPiece {
    std::chrono::milliseconds delay{0};  // pause before this piece goes out
    std::shared_ptr<const std::string> data;
    size_t offset = 0;
    size_t length = 0;
};

struct ScriptedReply {
    std::vector<ScriptedPiece> pieces;
    AfterReply after = AfterReply::KeepOpen;

    ScriptedReply() = default;
    explicit ScriptedReply(std::string bytes, AfterReply after = AfterReply::KeepOpen);
    // Adds bytes sent after a pause.
    ScriptedReply& Then(std::string bytes, std::chrono::milliseconds delay = {});
    // Adds shared bytes in blocks of blockSize (0: one block), each after delay.
    ScriptedReply& ThenShared(std::shared_ptr<const std::string> data, size_t blockSize = 0,
                              std::chrono::milliseconds delay = {});
    ScriptedReply& Finally(AfterReply what) {
        after = what;
        return *this;
    }
};

// "HTTP/1.1 200 OK" + CR LF + each header + CR LF, then the empty line.
std::string HttpHead(const std::string& statusLine, const std::vector<std::string>& headers = {});
// The second word of a request's first line: "/dir/file?q".
std::string RequestTarget(const std::string& request);
// N of a request's "Range: bytes=N-" line; 0 without one.
size_t RangeStart(const std::string& request);
// A server that takes ranges: the file from where the request's range
// starts (a 200 of all of it without one, a 206 of the rest with its
// Content-Range), with fields (its validators) among the headers. The line
// drops (after) once the body reaches byte end of the file; past the
// file's end, the reply is whole and the connection kept. The body goes in
// blocks of blockSize (0: one block), each after delay, as a slow line
// carries it.
ScriptedReply RangeReply(const std::string& request, const std::shared_ptr<const std::string>& file,
                         const std::vector<std::string>& fields, size_t end = SIZE_MAX,
                         AfterReply after = AfterReply::Close, size_t blockSize = 0,
                         std::chrono::milliseconds delay = {});

class ScriptedHttpServer {
  public:
    // Listens on 127.0.0.1:port; port 0 picks a free one.
    explicit ScriptedHttpServer(uint16_t port = 0);
    ~ScriptedHttpServer();
    ScriptedHttpServer(const ScriptedHttpServer&) = delete;
    ScriptedHttpServer& operator=(const ScriptedHttpServer&) = delete;

    uint16_t Port() const;
    // "http://127.0.0.1:<port>" + pathAndQuery
    std::string Url(const std::string& pathAndQuery) const;

    // Replies to the coming requests in order, whatever connection they use.
    void Enqueue(ScriptedReply reply);
    // Answers requests once the queue is empty; without it they are left
    // unanswered and their connection is closed.
    void SetHandler(std::function<ScriptedReply(const std::string& request)> handler);

    std::vector<std::string> Requests() const;    // raw bytes, in arrival order
    std::vector<int> RequestConnections() const;  // the connection (1, 2, ...) of each request
    int Connections() const;                      // connections accepted so far

    void Stop();

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace pellinor
