// One TCP connection of the HTTP client, driven on the window's thread: it
// waits in short slices and lets the window process its messages in between,
// so the program stays responsive while the network is slow.
#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "transfer/HttpTransport.h"

namespace pellinor {

constexpr std::chrono::milliseconds kConnectPumpInterval{125};
constexpr std::chrono::milliseconds kReadPumpInterval{250};

class HttpConnection : public HttpTransport {
  public:
    explicit HttpConnection(std::function<void()> processMessages);
    ~HttpConnection() override;
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // Resolves host (blocking, as the system resolver does) and connects,
    // processing messages every 125 ms; gives up with "Connect timed out."
    // after timeout. Socket failures raise their "Socket Error # n" text.
    void Open(const std::string& host, const std::string& port,
              std::chrono::milliseconds timeout = kConnectTimeout) override;
    void Close() override;
    bool IsOpen() const override { return socket_.is_open(); }
    // "host:port" of the open connection.
    const std::string& Peer() const override { return peer_; }

    // True while the peer has neither closed nor sent anything unasked, so
    // that the next request may go over this connection.
    bool Reusable() override;

    void Send(const std::string& bytes) override;

    // Waits for at least one byte, processing messages after every 250 ms
    // without data. Returns 0 when the peer closed, or when limit (if not
    // zero) passed without data; the connection is closed then.
    size_t ReadSome(char* data, size_t size, std::chrono::milliseconds limit = {}) override;

  private:
    // Runs the pending operation until done is set, calling onSlice whenever
    // a slice passes without completion. If onSlice throws, the operation is
    // cancelled and drained first, so no handler outlives its frame.
    template <typename OnSlice>
    void Await(const bool& done, std::chrono::milliseconds slice, OnSlice onSlice);
    void Abandon(const bool& done);

    std::function<void()> processMessages_;
    boost::asio::io_context io_;
    boost::asio::ip::tcp::socket socket_;
    std::string peer_;
};

}  // namespace pellinor
