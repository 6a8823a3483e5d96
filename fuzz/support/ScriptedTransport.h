// A server made of fuzz bytes behind the client's transport: each request
// is answered by the next reply of the script, delivered in slices, and the
// reply ends with a close, a reset or a connection kept open. Nothing waits:
// when a reply's bytes run out the read ends, as the input does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "http/HttpTransport.h"

namespace pellinor::fuzz {

// How one reply ends and how its bytes arrive, from the reply's first byte.
struct ReplyShape {
    bool keepOpen = false;       // bit 0: the server waits for another request
    size_t slice = 0;            // bits 1-3: the most one read gives (0: all there is)
    bool reset = false;          // bit 4: the end is a reset, not a close
    bool refuseConnect = false;  // bit 5: the connection that would carry it is refused
};

struct ScriptedReply {
    ReplyShape shape;
    std::string bytes;
};

// The script is the replies separated by kReplySeparator, each starting
// with its shape byte (a reply without one is an empty close).
extern const char* const kReplySeparator;
std::vector<ScriptedReply> ParseScript(const uint8_t* data, size_t size);

// What one request got: the reply that answered it and how much of it was read.
struct Exchange {
    std::string request;
    int reply = -1;  // index into the script, -1 when none was left
    size_t delivered = 0;
};

class ScriptedTransport : public HttpTransport {
  public:
    explicit ScriptedTransport(std::vector<ScriptedReply> script);

    void Open(const std::string& host, const std::string& port,
              std::chrono::milliseconds timeout = kConnectTimeout) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    const std::string& Peer() const override { return peer_; }
    bool Reusable() override;
    void Send(const std::string& bytes) override;
    size_t ReadSome(char* data, size_t size, std::chrono::milliseconds limit = {}) override;
    // https addresses go over the same script, as if a TLS session carried
    // it: what a redirect between the schemes does is fuzzed too.
    bool CanSpeakTls() const override { return true; }

    const std::vector<Exchange>& Exchanges() const { return exchanges_; }
    const std::vector<ScriptedReply>& Script() const { return script_; }
    // Bytes delivered since the last request was sent.
    size_t DeliveredSinceSend() const {
        return exchanges_.empty() ? 0 : exchanges_.back().delivered;
    }
    int Opens() const { return opens_; }

  private:
    const ScriptedReply* Current() const;

    std::vector<ScriptedReply> script_;
    size_t next_ = 0;  // the reply that answers the next request
    std::vector<Exchange> exchanges_;
    bool open_ = false;
    bool answered_ = false;   // a request on this connection has its reply
    bool peerEnded_ = false;  // the reply's end was read: the server closed
    size_t pos_ = 0;          // within the current reply
    int endReads_ = 0;        // reads after the end, on this connection
    int opens_ = 0;
    std::string peer_;
};

}  // namespace pellinor::fuzz
