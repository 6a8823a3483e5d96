// One TCP connection of the HTTP client, driven on the window's thread: it
// waits in short slices and lets the window process its messages on a clock,
// whether data flows, trickles or stalls, so the program stays responsive
// whatever the network does.
#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "http/HttpTransport.h"
#include "http/RequestBounds.h"
#include "platform/TlsSessions.h"

namespace pellinor {

// How often the window gets a turn: while a name is looked up or a
// connection opened, and while a request is sent or a response read.
// Windows calls a window that has not read its messages for 5 s "Not
// Responding". While a request is open the turns come every 50 ms: the
// progress display leaves its paints to the window's next turn, and what
// the window shows must never be more than that behind the bytes.
constexpr std::chrono::milliseconds kConnectPumpInterval{125};
constexpr std::chrono::milliseconds kReadPumpInterval{50};

// The longest a TLS handshake may take, certificate check included: a few
// round trips and a signature, seconds on the slowest line. A server that
// drips its hello past a minute is held to the same bound as one that
// drips its header block.
constexpr std::chrono::milliseconds kTlsHandshakeLimit{60000};

// How a name is looked up: the system's resolver unless a test puts a
// stand-in there. It starts the lookup on io and calls done when it ends.
using LookupDone = std::function<void(const boost::system::error_code&,
                                      boost::asio::ip::tcp::resolver::results_type)>;
using NameLookup = std::function<void(boost::asio::io_context& io, const std::string& host,
                                      const std::string& port, LookupDone done)>;

class HttpConnection : public HttpTransport {
  public:
    // silenceLimit: how long an open connection may stay silent; bounds: the
    // time bounds of a response's parts; lookup: null for the system's
    // resolver (the tests shorten the limits and replace the resolver; the
    // program keeps them all).
    explicit HttpConnection(std::function<void()> processMessages,
                            std::chrono::milliseconds silenceLimit = kSilenceLimit,
                            BoundLimits bounds = BoundLimits(), NameLookup lookup = nullptr);
    ~HttpConnection() override;
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // Resolves host and connects, processing messages every kConnectPumpInterval
    // throughout; each step has timeout: a lookup that takes longer gives up
    // with "Socket Error # 10060" (the system's resolver may wait far
    // longer), a connect with "Connect timed out.". Socket failures raise
    // their "Socket Error # n" text.
    void Open(const std::string& host, const std::string& port,
              std::chrono::milliseconds timeout = kConnectTimeout) override;
    void Close() override;
    bool IsOpen() const override { return socket_.is_open(); }
    // "host:port" of the open connection.
    const std::string& Peer() const override { return peer_; }

    // True while the peer has neither closed nor sent anything unasked, so
    // that the next request may go over this connection.
    bool Reusable() override;

    // Sends everything, processing messages every kReadPumpInterval while the peer
    // does not take it; a peer that takes nothing for the silence limit
    // ends it with "Socket Error # 10060".
    void Send(const std::string& bytes) override;

    // Waits for at least one byte, processing messages every kReadPumpInterval. Returns
    // 0 when the peer closed, or when limit (if not zero) passed without
    // data; the connection is closed then. Raises "Read Timeout" after the
    // silence limit without a byte, and the ending of the response's part
    // once its bound passes (see RequestBounds).
    size_t ReadSome(char* data, size_t size, std::chrono::milliseconds limit = {}) override;

    void BeginDownload() override { bounds_.BeginDownload(); }
    void Enter(ResponsePart part) override { bounds_.Enter(part); }
    void BodyReceived(size_t bytes) override { bounds_.BodyReceived(bytes); }
    // Raised from inside the window's turn (the answer to the close box's
    // question); every wait checks it as soon as the turn returns.
    void Stop() override { stopped_ = true; }

    void UseTlsSessions(TlsSessions* sessions) override { tlsSessions_ = sessions; }
    bool CanSpeakTls() const override { return tlsSessions_ != nullptr; }
    // The handshake waits as a read does, processing messages, and ends at
    // kTlsHandshakeLimit with TlsHandshakeTooSlow. A system without TLS
    // 1.2 raises TlsNeedsNewerWindows.
    void StartTls(const std::string& serverName) override;
    std::string TlsDescription() override { return tls_ ? tls_->Description() : std::string(); }

  private:
    using Clock = std::chrono::steady_clock;

    // Runs the pending operation on io until done is set or deadline passes,
    // processing messages whenever interval has passed since the last time
    // (also between operations that finish at once, so a steady trickle of
    // data never starves the window). The time the window's turns take is
    // added to the deadline and to the bounds: nothing is read meanwhile.
    // False when the deadline came first; the operation is then abandoned.
    // The download's own deadline ends every wait: it raises its error.
    // If processing messages throws, or the user stopped the request
    // (RequestStopped), the operation is abandoned too, so no handler
    // outlives its frame.
    template <typename Cancel>
    bool Await(boost::asio::io_context& io, const bool& done, Clock::time_point deadline,
               std::chrono::milliseconds interval, Cancel cancel);
    template <typename Cancel>
    void Abandon(boost::asio::io_context& io, const bool& done, Cancel cancel);
    void Resolve(const std::string& host, const std::string& port,
                 std::chrono::milliseconds timeout,
                 boost::asio::ip::tcp::resolver::results_type& endpoints);
    // A read or write of at least one byte on the socket, or through its
    // TLS session once there is one.
    template <typename Handler>
    void ReadSomeAsync(boost::asio::mutable_buffer buffer, Handler handler);
    template <typename Handler>
    void WriteSomeAsync(boost::asio::const_buffer buffer, Handler handler);
    // The error of a failed read or write, in the words of the connection's kind.
    [[noreturn]] void RaiseTransferError(const boost::system::error_code& ec);

    std::function<void()> processMessages_;
    std::chrono::milliseconds silenceLimit_;
    RequestBounds bounds_;
    NameLookup lookup_;
    bool stopped_ = false;
    Clock::time_point lastPump_{};
    boost::asio::io_context io_;
    boost::asio::ip::tcp::socket socket_;
    std::string peer_;
    TlsSessions* tlsSessions_ = nullptr;
    // The open connection's TLS, after StartTls; it reads and writes socket_.
    std::unique_ptr<TlsSession> tls_;
};

}  // namespace pellinor
