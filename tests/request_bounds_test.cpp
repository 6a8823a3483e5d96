// The time bounds of a request's parts: each at its edge on a fake clock
// with the program's own constants, then the client against servers that
// drip each part (with short bounds), a name lookup that never answers,
// and the user's stop.
#include <gtest/gtest.h>

#include <boost/asio/steady_timer.hpp>
#include <memory>
#include <thread>

#include "http/HttpConnection.h"
#include "http/RequestBounds.h"
#include "http/SocketErrors.h"
#include "platform/Error.h"
#include "support/GetOrError.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/HttpClient.h"

namespace pellinor {
namespace {

using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

// What Check raises: the error's text, "cut" for a redirect body, "" for nothing.
std::string EndingOf(const RequestBounds& bounds) {
    try {
        bounds.Check();
    } catch (const RedirectBodyCut&) {
        return "cut";
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

// The clock moves on by after; then bytes of the body arrive (or, lines,
// bytes around it: chunk lines, extensions), or (held) the program kept the
// thread for that time, or (begins) the download begins.
struct Step {
    RequestBounds::Clock::duration after;
    size_t bytes = 0;
    bool held = false;
    bool lines = false;
    bool begins = false;
};

TEST(RequestBounds, EachPartEndsAtItsEdgeAndNotBefore) {
    const std::string slowHead = kHeaderBlockTooSlow;
    const std::string timeout = kReadTimeout;
    const std::string tooLong = kDownloadTooSlow;
    const Step begins{{}, 0, false, false, true};
    const size_t block = kMinRateBytes;
    struct Row {
        const char* what;
        ResponsePart part;
        std::vector<Step> steps;
        std::string ending;
    } rows[] = {
        {"the wait for an answer is the silence limit's", ResponsePart::Head, {{minutes(10)}}, ""},
        {"a head just within 60 s of its first byte",
         ResponsePart::Head,
         {{seconds(100), 1}, {milliseconds(59999), 1}},
         ""},
        {"a head 60 s after its first byte",
         ResponsePart::Head,
         {{seconds(100), 1}, {seconds(60), 1}},
         slowHead},
        {"trailers just within 60 s", ResponsePart::Trailers, {{milliseconds(59999), 1}}, ""},
        {"trailers at 60 s", ResponsePart::Trailers, {{seconds(60), 1}}, slowHead},
        {"a byte short of a block in 120 s",
         ResponsePart::Body,
         {{milliseconds(119999), block - 1}},
         ""},
        {"a byte short of a block at 120 s",
         ResponsePart::Body,
         {{seconds(120), block - 1}},
         timeout},
        {"a full block starts the window again",
         ResponsePart::Body,
         {{seconds(100), block}, {milliseconds(119999), block - 1}},
         ""},
        {"the next window ends 120 s after the block",
         ResponsePart::Body,
         {{seconds(100), block}, {seconds(120), block - 1}},
         timeout},
        {"a burst buys no time for a drip after it",
         ResponsePart::Body,
         {{seconds(1), 64 * block}, {seconds(120)}},
         timeout},
        {"a question box held open is not charged",
         ResponsePart::Body,
         {{seconds(100)}, {minutes(10), 0, true}, {milliseconds(19999)}},
         ""},
        {"the window's time goes on after it",
         ResponsePart::Body,
         {{seconds(100)}, {minutes(10), 0, true}, {seconds(20)}},
         timeout},
        {"chunk lines and their extensions are no body",
         ResponsePart::Body,
         {{seconds(100), 64 * block, false, true}, {seconds(20), 1}},
         timeout},
        {"a download just within 30 minutes",
         ResponsePart::Idle,
         {begins, {milliseconds(1799999)}},
         ""},
        {"a download at 30 minutes, whatever its part",
         ResponsePart::Body,
         {begins, {seconds(1000), 64 * block}, {seconds(800), 64 * block}},
         tooLong},
        {"a question box held open is not charged to the download",
         ResponsePart::Idle,
         {begins, {minutes(29)}, {minutes(10), 0, true}, {seconds(59)}},
         ""},
        {"a redirect body just within 4 s",
         ResponsePart::RedirectBody,
         {{milliseconds(3999), 9}},
         ""},
        {"a redirect body at 4 s", ResponsePart::RedirectBody, {{seconds(4), 9}}, "cut"},
        {"nothing read: no bound", ResponsePart::Idle, {{minutes(60), 1}}, ""},
    };
    for (const Row& row : rows) {
        RequestBounds::Clock::time_point now{};
        RequestBounds bounds(BoundLimits(), [&now] { return now; });
        bounds.Enter(row.part);
        for (const Step& step : row.steps) {
            now += step.after;
            if (step.begins) {
                bounds.BeginDownload();
            } else if (step.held) {
                bounds.Held(step.after);
            } else {
                bounds.Received(step.bytes);
                if (!step.lines) bounds.BodyReceived(step.bytes);
            }
        }
        EXPECT_EQ(EndingOf(bounds), row.ending) << row.what;
        EXPECT_EQ(bounds.Deadline() > now, row.ending.empty()) << row.what;
    }
}

// Short bounds, and a silence limit far above them, so that only a bound
// can end a drip.
constexpr milliseconds kShort{200};
constexpr milliseconds kDripEvery{40};
const BoundLimits kShortLimits{kShort, kShort, 64, kShort};

HttpClient ShortBoundClient(
    std::function<void()> pump = [] {}, NameLookup lookup = nullptr) {
    return HttpClient(HttpEvents{},
                      std::make_unique<HttpConnection>(std::move(pump), milliseconds(5000),
                                                       kShortLimits, std::move(lookup)));
}

// head, then piece every kDripEvery for far longer than any bound.
ScriptedReply Drip(const std::string& head, const std::string& piece) {
    ScriptedReply reply(head);
    for (int i = 0; i < 100; ++i) reply.Then(piece, kDripEvery);
    return reply;
}

TEST(RequestBounds, TheClientEndsEveryDripAndFollowsADrippingRedirect) {
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const std::string moved = "HTTP/1.1 302 Found\r\nLocation: /there\r\n";
    // 32 bytes every 40 ms is 160 bytes in the 200 ms window: well above 64.
    ScriptedReply fastEnough(ok + "Content-Length: 320\r\n\r\n");
    for (int i = 0; i < 10; ++i) fastEnough.Then(std::string(32, 'f'), kDripEvery);
    struct Row {
        const char* what;
        ScriptedReply reply;
        std::string error;
        std::string body;  // when no error: of the address the redirect leads to
    } rows[] = {
        {"header lines", Drip(ok, "X-A: b\r\n"), kHeaderBlockTooSlow, ""},
        {"interim replies", Drip("", "HTTP/1.1 100 Continue\r\n\r\n"), kHeaderBlockTooSlow, ""},
        {"trailers",
         Drip(ok + "Transfer-Encoding: chunked\r\n\r\n4\r\nabcd\r\n0\r\n", "X-T: 1\r\n"),
         kHeaderBlockTooSlow, ""},
        {"a body below the rate", Drip(ok + "Content-Length: 4002\r\n\r\n", "x"), kReadTimeout, ""},
        {"a chunked body below the rate",
         Drip(ok + "Transfer-Encoding: chunked\r\n\r\n", "1\r\nx\r\n"), kReadTimeout, ""},
        {"a body above the rate", fastEnough, "", std::string(320, 'f')},
        {"a redirect body with a length", Drip(moved + "Content-Length: 4002\r\n\r\n", "x"), "",
         "arrived"},
        {"a chunked redirect body",
         Drip(moved + "Transfer-Encoding: chunked\r\n\r\n", "1\r\nx\r\n"), "", "arrived"},
        {"an HTTP/1.0 redirect body up to the close",
         Drip("HTTP/1.0 302 Found\r\nLocation: /there\r\n\r\n", "x"), "", "arrived"},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer server;
        server.Enqueue(row.reply);
        server.Enqueue(
            ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 7"}) + "arrived"));
        HttpClient client = ShortBoundClient();
        HttpResponse response;
        EXPECT_EQ(GetOrError(client, server.Url("/here"), response), row.error) << row.what;
        if (row.error.empty()) {
            EXPECT_EQ(response.body, row.body) << row.what;
        } else {
            EXPECT_FALSE(IsBodyWhole(response)) << row.what;
        }
    }
}

// A stand-in for a resolver that never answers: it keeps the lookup's
// context busy (as the system's resolver does) and never calls back.
void NeverAnswers(boost::asio::io_context& io, const std::string&, const std::string&, LookupDone) {
    auto timer = std::make_shared<boost::asio::steady_timer>(io, std::chrono::hours(1));
    timer->async_wait([timer](const boost::system::error_code&) {});
}

TEST(RequestBounds, ANameLookupGivesUpAfterTheConnectTimeout) {
    int pumps = 0;
    HttpConnection connection([&] { ++pumps; }, kSilenceLimit, BoundLimits(), NeverAnswers);
    try {
        connection.Open("download.pellinor.example", "80", kShort);
        ADD_FAILURE() << "the lookup answered";
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), SocketErrorMessage(10060));
    }
    EXPECT_GE(pumps, 1);
    EXPECT_FALSE(connection.IsOpen());
}

// The window's turn that answers the question box stops the GET, in
// whichever part it waits.
TEST(RequestBounds, AStopFromTheWindowsTurnEndsTheGetAtOnce) {
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    struct Row {
        const char* what;
        ScriptedReply reply;
        NameLookup lookup;
    } rows[] = {
        {"the name lookup", ScriptedReply(), NeverAnswers},
        {"the header block", Drip(ok, "X-A: b\r\n"), nullptr},
        {"the body", Drip(ok + "Content-Length: 4002\r\n\r\n", "x"), nullptr},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer server;
        server.Enqueue(row.reply);
        HttpClient* running = nullptr;
        bool busyWhenStopped = false;
        int pumps = 0;
        HttpClient client = ShortBoundClient(
            [&] {
                if (++pumps != 2 || !running) return;
                busyWhenStopped = running->Busy();
                running->Stop();
            },
            row.lookup);
        running = &client;
        HttpResponse response;
        EXPECT_THROW(client.Get(server.Url("/here"), response), RequestStopped) << row.what;
        EXPECT_TRUE(busyWhenStopped) << row.what;
        EXPECT_FALSE(client.Busy()) << row.what;
        EXPECT_EQ(pumps, 2) << row.what << ": no wait after the stop";
        EXPECT_FALSE(response.complete) << row.what;
    }
}

// A turn of the window that takes longer than every bound (a question box
// left open) costs the body nothing: it arrives whole afterwards.
TEST(RequestBounds, TimeTheWindowHoldsIsNotChargedToTheServer) {
    ScriptedHttpServer server;
    ScriptedReply reply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 320"}));
    for (int i = 0; i < 10; ++i) reply.Then(std::string(32, 'h'), kDripEvery);
    server.Enqueue(reply);
    int pumps = 0;
    HttpClient client(HttpEvents{}, std::make_unique<HttpConnection>(
                                        [&] {
                                            if (++pumps == 2)
                                                std::this_thread::sleep_for(4 * kShort);
                                        },
                                        3 * kShort, kShortLimits));
    HttpResponse response;
    EXPECT_EQ(GetOrError(client, server.Url("/held"), response), "");
    EXPECT_GE(pumps, 2);
    EXPECT_EQ(response.body, std::string(320, 'h'));
}

}  // namespace
}  // namespace pellinor
