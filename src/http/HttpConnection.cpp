// Looking up, connecting, sending and receiving on the window's thread, with
// the window's messages processed on a clock all the while.
#include "http/HttpConnection.h"

#include <algorithm>
#include <boost/asio/connect.hpp>
#include <boost/asio/error.hpp>
#include <memory>
#include <vector>

#include "http/SocketErrors.h"
#include "http/TlsErrors.h"
#include "platform/Error.h"

namespace pellinor {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

namespace {
// The Windows number of a send that the peer never takes, and of a name
// lookup that takes too long.
constexpr int kWsaTimedOut = 10060;

void SystemLookup(asio::io_context& io, const std::string& host, const std::string& port,
                  LookupDone done) {
    auto resolver = std::make_shared<tcp::resolver>(io);
    resolver->async_resolve(host, port,
                            [resolver, done](const boost::system::error_code& e,
                                             tcp::resolver::results_type r) { done(e, r); });
}

// One name lookup on a context of its own. The system's resolver cannot be
// interrupted, and a context that goes waits for the lookups it started:
// a lookup given up is therefore left here for good, never destroyed, so
// that neither the request nor the program's end waits for the system.
struct Lookup {
    asio::io_context io;
    bool done = false;
    boost::system::error_code result;
    tcp::resolver::results_type endpoints;
};

void GiveUp(std::shared_ptr<Lookup> lookup) {
    // Reachable for as long as the program runs (a leak checker sees no leak).
    static auto* const givenUp = new std::vector<std::shared_ptr<Lookup>>();
    lookup->done = true;
    givenUp->push_back(std::move(lookup));
}
}  // namespace

HttpConnection::HttpConnection(std::function<void()> processMessages,
                               std::chrono::milliseconds silenceLimit, BoundLimits bounds,
                               NameLookup lookup)
    : processMessages_(std::move(processMessages)),
      silenceLimit_(silenceLimit),
      bounds_(bounds),
      lookup_(lookup ? std::move(lookup) : NameLookup(SystemLookup)),
      socket_(io_) {}

HttpConnection::~HttpConnection() {
    Close();
}

template <typename Cancel>
bool HttpConnection::Await(asio::io_context& io, const bool& done, Clock::time_point deadline,
                           std::chrono::milliseconds interval, Cancel cancel) {
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (now - lastPump_ >= interval) {
            lastPump_ = now;
            if (processMessages_) {
                try {
                    processMessages_();
                } catch (...) {
                    Abandon(io, done, cancel);
                    throw;
                }
                // A question box may have held the turn for minutes.
                const Clock::duration held = Clock::now() - now;
                if (deadline != Clock::time_point::max()) deadline += held;
                bounds_.Held(held);
            }
            if (stopped_) {
                Abandon(io, done, cancel);
                throw RequestStopped();
            }
        }
        if (done) return true;
        const Clock::time_point whole = bounds_.DownloadDeadline();
        if (Clock::now() >= whole) {
            Abandon(io, done, cancel);
            bounds_.RaiseEnd();
        }
        if (Clock::now() >= deadline) {
            Abandon(io, done, cancel);
            return false;
        }
        io.restart();
        io.run_until(std::min({deadline, whole, lastPump_ + interval}));
    }
}

template <typename Cancel>
void HttpConnection::Abandon(asio::io_context& io, const bool& done, Cancel cancel) {
    cancel();
    while (!done) {
        io.restart();
        io.run();
    }
}

void HttpConnection::Resolve(const std::string& host, const std::string& port,
                             std::chrono::milliseconds timeout,
                             tcp::resolver::results_type& endpoints) {
    auto lookup = std::make_shared<Lookup>();
    // The handler holds the lookup, so a late answer lands in it harmlessly.
    lookup_(lookup->io, host, port,
            [lookup](const boost::system::error_code& e, tcp::resolver::results_type r) {
                if (lookup->done) return;
                lookup->result = e;
                lookup->endpoints = std::move(r);
                lookup->done = true;
            });
    const bool answered = Await(lookup->io, lookup->done, Clock::now() + timeout,
                                kConnectPumpInterval, [&] { GiveUp(lookup); });
    if (!answered) throw Error(SocketErrorMessage(kWsaTimedOut));
    if (lookup->result) RaiseSocketError(lookup->result);
    endpoints = std::move(lookup->endpoints);
}

void HttpConnection::Open(const std::string& host, const std::string& port,
                          std::chrono::milliseconds timeout) {
    Close();
    tcp::resolver::results_type endpoints;
    Resolve(host, port, timeout, endpoints);

    bool done = false;
    boost::system::error_code result;
    asio::async_connect(socket_, endpoints,
                        [&](const boost::system::error_code& e, const tcp::endpoint&) {
                            result = e;
                            done = true;
                        });
    const bool connected = Await(io_, done, Clock::now() + timeout, kConnectPumpInterval, [&] {
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

void HttpConnection::StartTls(const std::string& serverName) {
    tls_.reset();
    if (tlsSessions_ == nullptr) throw Error(kIoHandlerNotValid);
    std::unique_ptr<TlsSession> session = tlsSessions_->Begin(socket_, serverName);
    if (!session) {
        Close();
        throw Error(InBothLanguages(TextId::TlsNeedsNewerWindows));
    }
    bool done = false;
    boost::system::error_code result;
    session->AsyncHandshake([&](const boost::system::error_code& e, size_t) {
        result = e;
        done = true;
    });
    const bool finished =
        Await(io_, done, Clock::now() + kTlsHandshakeLimit, kReadPumpInterval, [this] {
            boost::system::error_code ignored;
            socket_.close(ignored);
        });
    if (!finished) {
        Close();
        throw Error(InBothLanguages(TextId::TlsHandshakeTooSlow));
    }
    if (result) {
        Close();
        RaiseTlsError(result);
    }
    tls_ = std::move(session);
}

template <typename Handler>
void HttpConnection::ReadSomeAsync(asio::mutable_buffer buffer, Handler handler) {
    if (tls_) {
        tls_->AsyncReadSome(buffer, handler);
    } else {
        socket_.async_read_some(buffer, handler);
    }
}

template <typename Handler>
void HttpConnection::WriteSomeAsync(asio::const_buffer buffer, Handler handler) {
    if (tls_) {
        tls_->AsyncWriteSome(buffer, handler);
    } else {
        socket_.async_write_some(buffer, handler);
    }
}

void HttpConnection::RaiseTransferError(const boost::system::error_code& ec) {
    if (tls_) {
        Close();
        RaiseTlsError(ec);
    }
    Close();
    RaiseSocketError(ec);
}

void HttpConnection::Close() {
    // The session first: it refers to the socket.
    tls_.reset();
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
        WriteSomeAsync(asio::buffer(bytes.data() + sent, bytes.size() - sent),
                       [&](const boost::system::error_code& e, size_t n) {
                           result = e;
                           taken = n;
                           done = true;
                       });
        if (!Await(io_, done, Clock::now() + silenceLimit_, kReadPumpInterval, closeSocket)) {
            Close();
            throw Error(SocketErrorMessage(kWsaTimedOut));
        }
        if (result) RaiseTransferError(result);
        sent += taken;
    }
}

size_t HttpConnection::ReadSome(char* data, size_t size, std::chrono::milliseconds limit) {
    // Data that kept flowing (or was read ahead) may have carried the part
    // past its bound without a single wait.
    try {
        bounds_.Check();
    } catch (...) {
        Close();
        throw;
    }
    bool done = false;
    size_t received = 0;
    boost::system::error_code result;
    ReadSomeAsync(asio::buffer(data, size), [&](const boost::system::error_code& e, size_t n) {
        result = e;
        received = n;
        done = true;
    });
    // Whichever comes first: the caller's limit, the silence limit, the bound.
    const bool limited = limit.count() > 0 && limit < silenceLimit_;
    const Clock::time_point waited = Clock::now() + (limited ? limit : silenceLimit_);
    const Clock::time_point bound = bounds_.Deadline();
    const bool arrived = Await(io_, done, std::min(waited, bound), kReadPumpInterval, [this] {
        boost::system::error_code ignored;
        socket_.close(ignored);
    });
    if (!arrived) {
        Close();
        if (bound < waited) bounds_.RaiseEnd();
        if (limited) return 0;
        throw Error(kReadTimeout);
    }
    if (result == asio::error::eof) return 0;
    if (result) RaiseTransferError(result);
    bounds_.Received(received);
    return received;
}

}  // namespace pellinor
