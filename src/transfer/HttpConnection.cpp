// Connecting, sending and receiving on the window's thread with message pumping.
#include "transfer/HttpConnection.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/error.hpp>
#include <boost/asio/write.hpp>

#include "platform/Error.h"
#include "transfer/SocketErrors.h"

namespace pellinor {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

HttpConnection::HttpConnection(std::function<void()> processMessages)
    : processMessages_(std::move(processMessages)), socket_(io_) {}

HttpConnection::~HttpConnection() {
    Close();
}

template <typename OnSlice>
void HttpConnection::Await(const bool& done, std::chrono::milliseconds slice, OnSlice onSlice) {
    for (;;) {
        io_.restart();
        io_.run_for(slice);
        if (done) return;
        try {
            onSlice();
        } catch (...) {
            Abandon(done);
            throw;
        }
    }
}

void HttpConnection::Abandon(const bool& done) {
    boost::system::error_code ignored;
    socket_.close(ignored);
    while (!done) {
        io_.restart();
        io_.run();
    }
}

void HttpConnection::Open(const std::string& host, const std::string& port,
                          std::chrono::milliseconds timeout) {
    Close();
    boost::system::error_code ec;
    tcp::resolver resolver(io_);
    const tcp::resolver::results_type endpoints = resolver.resolve(host, port, ec);
    if (ec) RaiseSocketError(ec);

    bool done = false;
    boost::system::error_code result;
    asio::async_connect(socket_, endpoints,
                        [&](const boost::system::error_code& e, const tcp::endpoint&) {
                            result = e;
                            done = true;
                        });
    const Clock::time_point deadline = Clock::now() + timeout;
    bool timedOut = false;
    Await(done, kConnectPumpInterval, [&] {
        if (Clock::now() >= deadline) {
            timedOut = true;
            Abandon(done);
            return;
        }
        if (processMessages_) processMessages_();
    });
    if (timedOut) {
        Close();
        throw Error(kConnectTimedOut);
    }
    if (result) {
        Close();
        RaiseSocketError(result);
    }
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
    boost::system::error_code ec;
    asio::write(socket_, asio::buffer(bytes), ec);
    if (ec) {
        Close();
        RaiseSocketError(ec);
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
    const Clock::time_point start = Clock::now();
    bool gaveUp = false;
    Await(done, kReadPumpInterval, [&] {
        if (limit.count() > 0 && Clock::now() - start >= limit) {
            gaveUp = true;
            Abandon(done);
            return;
        }
        if (processMessages_) processMessages_();
    });
    if (gaveUp) {
        Close();
        return 0;
    }
    if (result == asio::error::eof) return 0;
    if (result) {
        Close();
        RaiseSocketError(result);
    }
    return received;
}

}  // namespace pellinor
