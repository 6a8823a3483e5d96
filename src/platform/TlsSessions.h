// TLS over a connection the HTTP client opened: the system's own TLS (on
// Windows, SChannel), which checks the server's certificate against the
// system's trusted roots. The client drives each session with the same
// waits and bounds as a plain socket.
#pragma once

#include <boost/asio/buffer.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/system/error_code.hpp>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace pellinor {

// A failure of a session carries the system's own number (on Windows an
// HRESULT such as 0x800B0109 or a SEC_E_ status) in the system category,
// so that the texts the user reads name it alike on every build.
class TlsSession {
  public:
    using Done = std::function<void(const boost::system::error_code&, size_t)>;
    virtual ~TlsSession() = default;
    // The handshake, the server's certificate and its name checked; done's
    // size is unused.
    virtual void AsyncHandshake(Done done) = 0;
    virtual void AsyncReadSome(boost::asio::mutable_buffer buffer, Done done) = 0;
    virtual void AsyncWriteSome(boost::asio::const_buffer buffer, Done done) = 0;
    // The protocol and cipher the session agreed on, for the support log
    // ("TLSv1.2 AES-256 SHA-384 ECDH"); empty before the handshake.
    virtual std::string Description() = 0;
};

class TlsSessions {
  public:
    virtual ~TlsSessions() = default;
    // A client session over socket, connected and not yet spoken on, for
    // the server serverName (its certificate must name it). Handshake next.
    // None when the system cannot speak the TLS that servers offer today.
    virtual std::unique_ptr<TlsSession> Begin(boost::asio::ip::tcp::socket& socket,
                                              const std::string& serverName) = 0;
};

}  // namespace pellinor
