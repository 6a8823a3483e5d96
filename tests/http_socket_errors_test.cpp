// Socket failures in the user's words, and a connection attempt that never
// completes.
#include <gtest/gtest.h>

#include <boost/asio/error.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "http/HttpConnection.h"
#include "http/SocketErrors.h"
#include "platform/Error.h"

namespace pellinor {
namespace {

namespace asio = boost::asio;

TEST(SocketErrors, HostErrorsBecomeWindowsNumbers) {
    EXPECT_EQ(WindowsSocketError(asio::error::connection_refused), 10061);
    EXPECT_EQ(WindowsSocketError(asio::error::connection_reset), 10054);
    EXPECT_EQ(WindowsSocketError(asio::error::timed_out), 10060);
    EXPECT_EQ(WindowsSocketError(asio::error::network_unreachable), 10051);
    EXPECT_EQ(WindowsSocketError(asio::error::host_unreachable), 10065);
    EXPECT_EQ(WindowsSocketError(asio::error::connection_aborted), 10053);
    EXPECT_EQ(WindowsSocketError(asio::error::broken_pipe), 10054);
    EXPECT_EQ(WindowsSocketError(asio::error::host_not_found), 11001);
    EXPECT_EQ(WindowsSocketError(asio::error::host_not_found_try_again), 11002);
}

TEST(SocketErrors, Texts) {
    EXPECT_EQ(SocketErrorMessage(10061), "Socket Error # 10061\r\nConnection refused.");
    EXPECT_EQ(SocketErrorMessage(11001), "Socket Error # 11001\r\nHost not found.");
    EXPECT_EQ(SocketErrorMessage(10035), "Socket Error # 10035\r\nOperation would block. ");
    EXPECT_EQ(SocketErrorMessage(10066), "Socket Error # 10066\r\nDirectory not empty");
    EXPECT_EQ(SocketErrorMessage(11002), "Socket Error # 11002\r\n");
}

// A listener whose backlog is full leaves the next connection attempt
// unanswered, which is what a host that drops packets looks like.
TEST(HttpConnection, AConnectThatNeverCompletesTimesOutWhilePumping) {
    asio::io_context io;
    asio::ip::tcp::acceptor listener(io);
    listener.open(asio::ip::tcp::v4());
    listener.bind({asio::ip::make_address("127.0.0.1"), 0});
    listener.listen(0);
    const std::string port = std::to_string(listener.local_endpoint().port());
    asio::ip::tcp::socket filler(io);
    filler.connect(listener.local_endpoint());

    int pumps = 0;
    HttpConnection connection([&] { ++pumps; });
    try {
        connection.Open("127.0.0.1", port, std::chrono::milliseconds(400));
        ADD_FAILURE() << "connected";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Connect timed out.");
    }
    EXPECT_GE(pumps, 1);
    EXPECT_FALSE(connection.IsOpen());
}

TEST(HttpConnection, ANestedHandlerThatThrowsLeavesNoOperationBehind) {
    asio::io_context io;
    asio::ip::tcp::acceptor listener(io, {asio::ip::make_address("127.0.0.1"), 0});
    const std::string port = std::to_string(listener.local_endpoint().port());
    bool armed = false;  // the window's turns while connecting pass quietly
    HttpConnection connection([&] {
        if (armed) throw Error("nested");
    });
    connection.Open("127.0.0.1", port);
    armed = true;
    asio::ip::tcp::socket peer(io);
    listener.accept(peer);
    char buffer[16];
    EXPECT_THROW(connection.ReadSome(buffer, sizeof buffer), Error);
    EXPECT_FALSE(connection.IsOpen());
}

}  // namespace
}  // namespace pellinor
