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
#include <string>

#include "transfer/HttpTransport.h"

namespace pellinor {

// How often the window gets a turn: while a name is looked up or a
// connection opened, and while a request is sent or a response read.
// Windows calls a window that has not read its messages for 5 s "Not
// Responding". While a request is open the turns come every 50 ms: the
// progress display leaves its paints to the window's next turn, and what
// the window shows must never be more than that behind the bytes.
constexpr std::chrono::milliseconds kConnectPumpInterval{125};
constexpr std::chrono::milliseconds kReadPumpInterval{50};

class HttpConnection : public HttpTransport {
  public:
    // silenceLimit: how long an open connection may stay silent (the tests
    // shorten it; the program keeps kSilenceLimit).
    explicit HttpConnection(std::function<void()> processMessages,
                            std::chrono::milliseconds silenceLimit = kSilenceLimit);
    ~HttpConnection() override;
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // Resolves host (without a limit of its own: the system resolver keeps
    // its own) and connects, processing messages every 125 ms throughout;
    // gives up with "Connect timed out." after timeout. Socket failures
    // raise their "Socket Error # n" text.
    void Open(const std::string& host, const std::string& port,
              std::chrono::milliseconds timeout = kConnectTimeout) override;
    void Close() override;
    bool IsOpen() const override { return socket_.is_open(); }
    // "host:port" of the open connection.
    const std::string& Peer() const override { return peer_; }

    // True while the peer has neither closed nor sent anything unasked, so
    // that the next request may go over this connection.
    bool Reusable() override;

    // Sends everything, processing messages every 250 ms while the peer
    // does not take it; a peer that takes nothing for the silence limit
    // ends it with "Socket Error # 10060".
    void Send(const std::string& bytes) override;

    // Waits for at least one byte, processing messages every 250 ms. Returns
    // 0 when the peer closed, or when limit (if not zero) passed without
    // data; the connection is closed then. Raises "Read Timeout" after the
    // silence limit without a byte.
    size_t ReadSome(char* data, size_t size, std::chrono::milliseconds limit = {}) override;

  private:
    using Clock = std::chrono::steady_clock;

    // Runs the pending operation until done is set or deadline passes,
    // processing messages whenever interval has passed since the last time
    // (also between operations that finish at once, so a steady trickle of
    // data never starves the window). False when the deadline came first;
    // the operation is then abandoned. If processing messages throws, the
    // operation is abandoned too, so no handler outlives its frame.
    template <typename Cancel>
    bool Await(const bool& done, Clock::time_point deadline, std::chrono::milliseconds interval,
               Cancel cancel);
    template <typename Cancel>
    void Abandon(const bool& done, Cancel cancel);
    void Resolve(const std::string& host, const std::string& port,
                 boost::asio::ip::tcp::resolver::results_type& endpoints);

    std::function<void()> processMessages_;
    std::chrono::milliseconds silenceLimit_;
    Clock::time_point lastPump_{};
    boost::asio::io_context io_;
    boost::asio::ip::tcp::socket socket_;
    std::string peer_;
};

}  // namespace pellinor
