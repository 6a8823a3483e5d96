// What the HTTP client needs of a connection. HttpConnection is the real
// one over a socket; the fuzzing of the response path puts scripted bytes
// behind the same calls, so that every response byte goes through the
// client's own reading, redirect and cookie code without a socket.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace pellinor {

class TlsSessions;

// The longest a name lookup, and then a connect, may take: a hotel's line,
// a proxy waking up or a resolver asking its way round may take tens of
// seconds, but a server that does not answer in two minutes will not, and
// the lock program has been ended meanwhile.
constexpr std::chrono::milliseconds kConnectTimeout{120000};
// No byte for this long on an open connection, either way, ends the request:
// a server that stalls must never hold a command (and the lock program it
// has already ended) for ever. The same patience as for a connect.
constexpr std::chrono::milliseconds kSilenceLimit{120000};

// The part of a response being read: each part has its own bound in time
// beyond the silence limit (see RequestBounds.h).
enum class ResponsePart {
    Idle,          // no response is read: only the silence limit holds
    Head,          // interim responses, the status line and the header lines
    Body,          // a body that is kept, or an error page's
    RedirectBody,  // a redirect's body, which is thrown away
    Trailers,      // the header lines after a chunked body's last chunk
};

class HttpTransport {
  public:
    virtual ~HttpTransport() = default;

    // Raises the user's error text when no connection can be opened.
    virtual void Open(const std::string& host, const std::string& port,
                      std::chrono::milliseconds timeout = kConnectTimeout) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // "host:port" of the open connection.
    virtual const std::string& Peer() const = 0;
    // True while the peer has neither closed nor sent anything unasked.
    virtual bool Reusable() = 0;
    // Raises a socket error, or "Socket Error # 10060" when the peer takes
    // nothing for the silence limit.
    virtual void Send(const std::string& bytes) = 0;
    // At least one byte, or 0 when the peer closed (or limit, when not zero,
    // passed without data; the connection is closed then). Raises
    // "Read Timeout" after the silence limit without a byte.
    virtual size_t ReadSome(char* data, size_t size, std::chrono::milliseconds limit = {}) = 0;

    // A download begins: every wait from now on, of every request it
    // makes, ends with it once its time is up (kDownloadTimeLimit).
    virtual void BeginDownload() {}
    // The response reaches part: the reads from now on are held to its bound.
    // A transport without a clock of its own (the fuzzing's) ignores it.
    virtual void Enter(ResponsePart /*part*/) {}
    // Bytes of a body arrived (the reader tells them from the lines around
    // them): only these keep a body within its rate.
    virtual void BodyReceived(size_t /*bytes*/) {}
    // The user asks to stop: the wait under way ends at the window's next
    // turn with RequestStopped, and so does every later one.
    virtual void Stop() {}

    // https: the system's TLS, which the connections use from StartTls on;
    // none (the default) leaves https addresses unsupported.
    virtual void UseTlsSessions(TlsSessions* /*sessions*/) {}
    virtual bool CanSpeakTls() const { return false; }
    // The open connection (to the server, or a tunnel through a proxy to
    // it) speaks TLS with serverName from here on: the handshake is made,
    // the server's certificate and name checked. Raises the user's text of
    // what failed, and the connection is closed then.
    virtual void StartTls(const std::string& /*serverName*/) {}
    // The protocol and cipher of the open connection's TLS, for the log;
    // empty on a plain connection.
    virtual std::string TlsDescription() { return std::string(); }
};

}  // namespace pellinor
