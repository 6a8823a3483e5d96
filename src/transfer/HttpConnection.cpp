// Looking up, connecting, sending and receiving on the window's thread, with
// the window's messages processed on a clock all the while.
#include "transfer/HttpConnection.h"

#include <algorithm>
#include <boost/asio/connect.hpp>
#include <boost/asio/error.hpp>

#include "platform/Error.h"
#include "transfer/SocketErrors.h"

namespace pellinor {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

namespace {
// The Windows number of a send that the peer never takes.
constexpr int kWsaTimedOut = 10060;
}  // namespace

HttpConnection::HttpConnection(std::function<void()> processMessages,
                               std::chrono::milliseconds silenceLimit)
    : processMessages_(std::move(processMessages)), silenceLimit_(silenceLimit), socket_(io_) {}

HttpConnection::~HttpConnection() {
    Close();
}

template <typename Cancel>
bool HttpConnection::Await(const bool& done, Clock::time_point deadline,
                           std::chrono::milliseconds interval, Cancel cancel) {
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (now - lastPump_ >= interval) {
            lastPump_ = now;
            if (processMessages_) {
                try {
                    processMessages_();
                } catch (...) {
                    Abandon(done, cancel);
                    throw;
                }
            }
        }
        if (done) return true;
        if (Clock::now() >= deadline) {
            Abandon(done, cancel);
            return false;
        }
        io_.restart();
        io_.run_until(std::min(deadline, lastPump_ + interval));
    }
}

template <typename Cancel>
void HttpConnection::Abandon(const bool& done, Cancel cancel) {
    cancel();
    while (!done) {
        io_.restart();
        io_.run();
    }
}

void HttpConnection::Resolve(const std::string& host, const std::string& port,
                             tcp::resolver::results_type& endpoints) {
    tcp::resolver resolver(io_);
    bool done = false;
    boost::system::error_code result;
    resolver.async_resolve(host, port,
                           [&](const boost::system::error_code& e, tcp::resolver::results_type r) {
                               result = e;
                               endpoints = std::move(r);
                               done = true;
                           });
    Await(done, Clock::time_point::max(), kConnectPumpInterval, [&] { resolver.cancel(); });
    if (result) RaiseSocketError(result);
}

void HttpConnection::Open(const std::string& host, const std::string& port,
                          std::chrono::milliseconds timeout) {
    Close();
    tcp::resolver::results_type endpoints;
    Resolve(host, port, endpoints);

    bool done = false;
    boost::system::error_code result;
    asio::async_connect(socket_, endpoints,
                        [&](const boost::system::error_code& e, const tcp::endpoint&) {
                            result = e;
                            done = true;
                        });
    const bool connected = Await(done, Clock::now() + timeout, kConnectPumpInterval, [&] {
        boost::system::error_code ignored;
        socket_.close(ignored);
    });
    if (!connected) {
        Close();
        throw Error(kConnectTimedOut);
    }
    if (result) {
        Close();
        RaiseSocketError(result);
    }
    boost::system::error_code ec;
    socket_.set_option(tcp::no_delay(true), ec);
    peer_ = host + ":" + port;
}

void HttpConnection::Close() {
    boost::system::error_code ignored;
    if (socket_.is_open()) {
        socket_.shutdown(tcp::socket::shutdown_both, ignored);
        socket_.close(ignored);
    }
    peer_.clear();
}

bool HttpConnection::Reusable() {
    if (!socket_.is_open()) return false;
    boost::system::error_code ec;
    socket_.non_blocking(true, ec);
    if (ec) return false;
    char probe = 0;
    socket_.receive(asio::buffer(&probe, 1), tcp::socket::message_peek, ec);
    boost::system::error_code ignored;
    socket_.non_blocking(false, ignored);
    // Only "nothing to read yet" means the peer still waits for a request;
    // a close, an error or stray bytes all spoil the connection.
    return ec == asio::error::would_block || ec == asio::error::try_again;
}

void HttpConnection::Send(const std::string& bytes) {
    auto closeSocket = [this] {
        boost::system::error_code ignored;
        socket_.close(ignored);
    };
    // Piece by piece, so that the silence limit counts from the last byte
    // the peer took, not from the start of a long request.
    for (size_t sent = 0; sent < bytes.size();) {
        bool done = false;
        size_t taken = 0;
        boost::system::error_code result;
        socket_.async_write_some(asio::buffer(bytes.data() + sent, bytes.size() - sent),
                                 [&](const boost::system::error_code& e, size_t n) {
                                     result = e;
                                     taken = n;
                                     done = true;
                                 });
        if (!Await(done, Clock::now() + silenceLimit_, kReadPumpInterval, closeSocket)) {
            Close();
            throw Error(SocketErrorMessage(kWsaTimedOut));
        }
        if (result) {
            Close();
            RaiseSocketError(result);
        }
        sent += taken;
    }
}

size_t HttpConnection::ReadSome(char* data, size_t size, std::chrono::milliseconds limit) {
    bool done = false;
    size_t received = 0;
    boost::system::error_code result;
    socket_.async_read_some(asio::buffer(data, size),
                            [&](const boost::system::error_code& e, size_t n) {
                                result = e;
                                received = n;
                                done = true;
                            });
    const bool limited = limit.count() > 0 && limit < silenceLimit_;
    const bool arrived =
        Await(done, Clock::now() + (limited ? limit : silenceLimit_), kReadPumpInterval, [this] {
            boost::system::error_code ignored;
            socket_.close(ignored);
        });
    if (!arrived) {
        Close();
        if (limited) return 0;
        throw Error(kReadTimeout);
    }
    if (result == asio::error::eof) return 0;
    if (result) {
        Close();
        RaiseSocketError(result);
    }
    return received;
}

}  // namespace pellinor
