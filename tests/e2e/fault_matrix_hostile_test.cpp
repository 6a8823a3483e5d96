// Servers that lie, stall or flood, against the real Pellinor.exe: framing
// that would let a piece of the program through, a server that falls
// silent, a redirect body without end or one that drips, data that only
// trickles, and a second click on Update. The installation keeps the old
// program or gets the whole new one, and the user is told which.
#include <chrono>
#include <iostream>
#include <memory>

#include "ServerFaults.h"

namespace pellinor::e2e {
namespace {

using std::chrono::milliseconds;

class HostileServers : public ServerFaults {};

TEST_F(HostileServers, FramingThatWouldLetAPieceThroughIsNamed) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    const std::string size = std::to_string(body.size());
    const std::string half = std::to_string(body.size() / 2);
    // What each reply sends, and the message of the error box.
    const std::vector<std::pair<std::string, std::string>> replies = {
        {"HTTP/1.1 200 OK\r\nContent-Length: " + half + "\r\nContent-Length: " + size + "\r\n\r\n" +
             body,
         "The server announced two different lengths."},
        {kChunkedHead + "400\r\n" + body.substr(0, 1034) + "\r\n" +
             Chunks(body.substr(1034), 65536) + "0\r\n\r\n",
         "The server broke the chunked transfer."},
        {"HTTP/1.1 206 Partial Content\r\nContent-Length: " + half + "\r\n\r\n" +
             body.substr(0, body.size() / 2),
         "HTTP/1.1 206 Partial Content"},
        {"HTTP/1.1 2000 Bogus\r\nContent-Length: " + size + "\r\n\r\n" + body,
         "The server sent a reply that breaks HTTP/1.1: the status line"},
        // A stale length: the whole program behind a length that stops halfway.
        {"HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " + half + "\r\n\r\n" + body,
         "The server sent more bytes than it announced."},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: identity\r\nTransfer-Encoding: chunked\r\n\r\n" +
             Chunks(body, 65536) + "0\r\n\r\n",
         "The server sent a reply that breaks HTTP/1.1: Transfer-Encoding: identity, chunked"},
    };
    for (const auto& [bytes, message] : replies) {
        const UpgradeOutcome outcome =
            UpgradeAgainst(folder, [&] { return ScriptedReply(bytes, AfterReply::Close); });
        ExpectRaisedFailure(outcome, folder, message);
    }
    // An interim answer before the real one is read past, and chunks whose
    // last one is under 1 KiB (a program rarely divides by a server's chunk
    // size; only the zero-size chunk proves the end).
    const size_t chunk = (body.size() - 690) / 58;
    ASSERT_LT(body.size() % chunk, 1024u);
    for (const std::string& whole : {"HTTP/1.1 100 Continue\r\n\r\n" + LengthHead(size) + body,
                                     kChunkedHead + Chunks(body, chunk) + "0\r\n\r\n"}) {
        const UpgradeOutcome outcome =
            UpgradeAgainst(folder, [&] { return ScriptedReply(whole, AfterReply::Close); });
        EXPECT_EQ(outcome.Captions(), std::vector<std::string>{"N9082"});
        EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
        EXPECT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
    }
}

TEST_F(HostileServers, ASilentServerIsGivenUpAfterTwoMinutes) {
    const std::string folder = Install("Lock");
    // The request is taken and never answered.
    const auto start = std::chrono::steady_clock::now();
    const UpgradeOutcome outcome = UpgradeAgainst(
        folder, [] { return ScriptedReply().Finally(AfterReply::Hang); }, 180000);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
            .count();
    std::cout << "[ silence  ] gave up after about " << seconds << " s\n";
    ExpectRaisedFailure(outcome, folder, "Read Timeout");
}

TEST_F(HostileServers, ARedirectBodyIsGivenUpAfterFourSecondsWhateverItsFraming) {
    const std::string folder = Install("Lock");
    const std::string program = LengthHead(std::to_string(newBytes_.size())) + newBytes_;
    const std::string moved = "Location: /elsewhere/Tessaron.Exe\r\n";
    // A redirect that floods until it is stopped (up to a close; more than
    // the bound of one body, in shared blocks so the test's own memory stays
    // small), and two that drip a byte every 110 s: chunked, and up to the
    // close of an HTTP/1.0 server. Each is given up and followed, and the
    // address it leads to serves the program.
    const auto block = std::make_shared<const std::string>(size_t{1} << 20, 'r');
    ScriptedReply flood("HTTP/1.1 302 Found\r\n" + moved + "Connection: close\r\n\r\n",
                        AfterReply::Close);
    for (int i = 0; i < 257; ++i) flood.ThenShared(block);
    ScriptedReply chunked("HTTP/1.1 302 Found\r\n" + moved + "Transfer-Encoding: chunked\r\n\r\n");
    ScriptedReply http10("HTTP/1.0 302 Found\r\n" + moved + "\r\n");
    for (int i = 0; i < 3; ++i) {
        chunked.Then("1\r\nx\r\n", std::chrono::seconds(110));
        http10.Then("x", std::chrono::seconds(110));
    }
    for (const ScriptedReply& redirect : {flood, chunked, http10}) {
        int requests = 0;
        const auto start = std::chrono::steady_clock::now();
        const UpgradeOutcome outcome = UpgradeAgainst(
            folder, [&] { return requests++ == 0 ? redirect : ScriptedReply(program); });
        std::cout << "[ redirect ] followed; the upgrade took "
                  << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
                  << " s\n";
        EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
        EXPECT_EQ(requests, 2);
        ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
    }
}

TEST_F(HostileServers, TheWindowAnswersWhileDataTrickles) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    // A kilobyte every 100 ms for three seconds: never a pause in which
    // the window would have been given its turn for want of data.
    constexpr size_t kTrickled = 30 * 1024;
    Serve([&] {
        ScriptedReply reply(LengthHead(std::to_string(body.size())), AfterReply::Close);
        reply.Then(body.substr(0, 4096));
        for (size_t at = 4096; at < 4096 + kTrickled; at += 1024)
            reply.Then(body.substr(at, 1024), milliseconds(100));
        reply.Then(body.substr(4096 + kTrickled));
        return reply;
    });
    UiDriver& ui = Start();
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    ASSERT_TRUE(WaitUntil([&] { return ui.ProgressPosition() >= 4096; }, 10000));
    const std::string english = ui.Text(Control::BitBtn2);
    ui.PostDoubleClick(Control::StatusBar1);
    // The language changes while the body is still on its way.
    EXPECT_TRUE(WaitUntil([&] { return ui.Text(Control::BitBtn2) != english; }, 2000));
    EXPECT_LT(ui.ProgressPosition(), static_cast<int>(4096 + kTrickled));
    const std::optional<DialogInfo> done = ui.WaitForDialog(20000);
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(done->caption, "N9082");
    AnswerDialog(done->handle, IDOK);
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
}

TEST_F(HostileServers, ASecondClickOnUpdateStartsNoSecondUpgrade) {
    const std::string folder = Install("Lock");
    ServeNewProgram();
    UiDriver& ui = Start();
    // The second click waits in the queue and arrives while the first
    // one's scan gives the window its turns.
    ui.Click(Control::BitBtn2);
    const UpgradeOutcome outcome = RunUpgrade(ui);
    EXPECT_EQ(outcome.Captions(), std::vector<std::string>{"N9082"}) << outcome.Describe();
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(server_.Requests().size(), 3u) << "the patch, the compressed file, the program";
    ExpectPromisesKept(folder, outcome);
}

}  // namespace
}  // namespace pellinor::e2e
