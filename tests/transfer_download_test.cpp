// A download end to end over a scripted server, as a command runs it: what
// reaches the disk and how the download ended (HttpDownloader), the
// progress display the client's events drive, and the hourglass, Label3 and
// the final repaint around the download (WindowNotify).
#include <gtest/gtest.h>

#include <cstdio>

#include "commands/CommandPlan.h"
#include "commands/FileDownload.h"
#include "fakes/FakePlatform.h"
#include "http/HttpResponseReader.h"
#include "http/SocketErrors.h"
#include "platform/Error.h"
#include "support/ScriptedHttpServer.h"
#include "window/ProgressDisplay.h"
#include "window/WindowNotify.h"

namespace pellinor {
namespace {

using std::chrono::milliseconds;

std::string Pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i * 31 + i / 97);
    return s;
}

std::string WithLength(const std::string& body) {
    return HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body;
}

const std::string kDest = "C:\\Hotel\\Lock\\Tessaron.Exe.tmp";

// How a download ended, in one text that a failed check shows whole: its
// step, whether the client raised an error, and the text the user is shown.
std::string Ended(const StepResult& result) {
    return std::string(StepName(result.step)) + (result.clientError ? ", client error" : "") +
           (result.text.empty() ? "" : ": " + result.text);
}

const std::string kWhole = Ended(StepResult{});
// The body came cut or not at all: no E0059 box, nothing written.
const std::string kCut = Ended(Failure(Step::Download));

// The client gave up with message: the E0059 box names the address and dest.
std::string ClientError(const std::string& message, const std::string& url) {
    return Ended(DownloadFailure(true, message + "\n\n" + url + "\n" + kDest));
}

class DownloadTest : public ::testing::Test {
  protected:
    DownloadTest() { files.AddFolder("C:\\Hotel\\Lock\\"); }
    // What a command's plan does around its download.
    std::string Download(const std::string& url) {
        notify.DownloadBegun(kDest);
        const StepResult result = downloader.DownloadOneFile(url, kDest);
        notify.DownloadEnded();
        return Ended(result);
    }
    bool Written() { return files.FileExists(kDest); }

    FakePlatform fake;
    FakeWindow& window = fake.window;
    FakeFileSystem& files = fake.files;
    bool chinese = false;
    FakeSystemInfo clock;  // standing still: every repaint after the first is left out
    ProgressDisplay progress{window, clock, chinese};
    WindowNotify notify{window, fake.system, chinese};
    HttpClient client{HttpEvents{
        [this](int32_t max) { progress.WorkBegin(max); },
        [this](int32_t count) { progress.Work(count); }, [this] { window.ProcessMessages(); },
        nullptr,  // no proxy asks for a sign-in
    }};
    HttpDownloader downloader{client, files, [this] { progress.Flush(); }};
    ScriptedHttpServer server;
};

TEST_F(DownloadTest, TheWholeFileOfAtLeast1024BytesIsWritten) {
    server.Enqueue(ScriptedReply(WithLength(Pattern(1024))));
    EXPECT_EQ(Download(server.Url("/V9/02/Tessaron.Exe")), kWhole);
    EXPECT_EQ(files.Bytes(kDest), Pattern(1024));
    EXPECT_EQ(window.Text(Control::Label3), kDest);
    EXPECT_EQ(window.progressMax, 1024);
    EXPECT_EQ(window.progressPosition, 1024);
    EXPECT_EQ(window.Text(Control::Label1), "Downloading file, Please wait... 1 KB/1 KB");
}

// However fast the events come, the window is painted with the last of them
// once the download ends, before a box can hold it up.
// However fast the events come, the window is painted with the last of them
// once the body has arrived, by the downloader itself: before the write,
// and with no command around it.
TEST_F(DownloadTest, TheWindowShowsTheFinalProgressOnceTheBodyArrived) {
    server.Enqueue(ScriptedReply(WithLength(Pattern(1 << 20))));
    files.refuseWrites = true;
    EXPECT_EQ(downloader.DownloadOneFile(server.Url("/V9/02/Tessaron.Exe"), kDest).step,
              Step::Write);
    EXPECT_EQ(window.paintedLabel1, "Downloading file, Please wait... 1.00 MB/1.00 MB");
    EXPECT_EQ(window.paintedProgressPosition, 1 << 20);
    // Every event of at most 32 KiB still wrote the line; few were painted.
    EXPECT_GE(window.label1History.size(), 32u);
    EXPECT_LE(window.repaints, 2);
}

TEST_F(DownloadTest, AFileOf1023BytesIsNotWritten) {
    server.Enqueue(ScriptedReply(WithLength(Pattern(1023))));
    EXPECT_EQ(Download(server.Url("/small.exe")), kCut);
    EXPECT_FALSE(Written());
}

// Once, a chunked body cut off after its last begun chunk passed the size
// test: the buffer held more than that one chunk announced.
TEST_F(DownloadTest, AChunkedBodyCutOffIsNeverWritten) {
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}) +
                                     "fa0\r\n" + Pattern(4000) + "\r\n5dc\r\n" + Pattern(1500 - 1),
                                 AfterReply::Close));
    const std::string url = server.Url("/cut.exe");
    EXPECT_EQ(Download(url), ClientError("Connection Closed Gracefully.", url));
    EXPECT_FALSE(Written());
}

TEST_F(DownloadTest, ATruncatedBodyOrOneUpToTheCloseIsNotWritten) {
    server.Enqueue(ScriptedReply(
        HttpHead("HTTP/1.1 200 OK", {"Content-Length: 5000"}) + Pattern(4000), AfterReply::Close));
    EXPECT_EQ(Download(server.Url("/truncated.exe")), kCut);
    EXPECT_EQ(window.progressMax, 5000);
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 200 OK") + Pattern(5000), AfterReply::Close));
    EXPECT_EQ(Download(server.Url("/until-close.exe")), kCut);
    EXPECT_EQ(window.progressMax, 0);  // a body up to the close announces no size
    EXPECT_FALSE(Written());
}

TEST_F(DownloadTest, AMissingFileShowsTheStatusLine) {
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 2000"}) +
                                 Pattern(2000)));
    const std::string url = server.Url("/V9/02/Tessaron.Exe");
    EXPECT_EQ(Download(url), ClientError("HTTP/1.1 404 Not Found", url));
    EXPECT_FALSE(Written());
}

TEST_F(DownloadTest, ConnectionFailuresShowTheSocketErrorText) {
    server.Enqueue(ScriptedReply(std::string(), AfterReply::Close));
    const std::string closed = server.Url("/x.exe");
    EXPECT_EQ(Download(closed), ClientError("Connection Closed Gracefully.", closed));
    const std::string nowhere = "http://nosuchhost.invalid/V9/x.exe";
    EXPECT_EQ(Download(nowhere), ClientError("Socket Error # 11001\r\nHost not found.", nowhere));
    server.Stop();
    EXPECT_EQ(Download(closed), ClientError("Socket Error # 10061\r\nConnection refused.", closed));
    EXPECT_FALSE(Written());
}

TEST_F(DownloadTest, TheErrorTextShowsTheEncodedAddress) {
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 403 Forbidden", {"Content-Length: 0"})));
    EXPECT_EQ(Download(server.Url("/my dir/a b.exe")),
              ClientError("HTTP/1.1 403 Forbidden", server.Url("/my%20dir/a%20b.exe")));
    EXPECT_EQ(RequestTarget(server.Requests().at(0)), "/my%20dir/a%20b.exe");
}

TEST_F(DownloadTest, TheRedirectLimitGivesNothingAndNoBox) {
    server.SetHandler([](const std::string&) {
        return ScriptedReply(
            HttpHead("HTTP/1.1 302 Found", {"Location: /again", "Content-Length: 0"}));
    });
    EXPECT_EQ(Download(server.Url("/loop")), kCut);
    EXPECT_EQ(server.Requests().size(), 15u);
}

TEST_F(DownloadTest, TheCursorIsRestoredOnEveryWayOut) {
    bool busyDuringTransfer = false;
    window.onProcessMessages = [&] { busyDuringTransfer = window.busyCursor; };
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 2000"}))
                       .Then(Pattern(2000), milliseconds(400)));
    EXPECT_EQ(Download(server.Url("/slow.exe")), kWhole);
    EXPECT_TRUE(busyDuringTransfer);
    EXPECT_FALSE(window.busyCursor);

    // An address that cannot be encoded leaves the command as an error;
    // the hourglass goes with it.
    const PublisherKeys noKeys;
    CommandSite site{fake.platform, notify, downloader, std::string(), {}, noKeys};
    CommandPlan plan;
    plan.temp = kDest;
    plan.target = "C:\\Hotel\\Lock\\Tessaron.Exe";
    plan.url = "127.0.0.1/V9/Tessaron.Exe";
    try {
        RunPlan(site, plan);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Protocol field is empty");
    }
    EXPECT_FALSE(window.busyCursor);
    plan.url = "http:///V9/Tessaron.Exe";
    EXPECT_THROW(RunPlan(site, plan), Error);
    EXPECT_FALSE(window.busyCursor);
}

TEST_F(DownloadTest, ADoubleClickDuringAStallSwitchesTheProgressLanguage) {
    // The status bar's double-click runs nested inside the transfer's pump.
    window.onProcessMessages = [&] {
        if (!window.label1History.empty()) progress.SetLanguage(true);
    };
    const std::string body = Pattern(3000);
    server.Enqueue(
        ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 3000"}) + body.substr(0, 1000))
            .Then(body.substr(1000), milliseconds(600)));
    EXPECT_EQ(Download(server.Url("/stall.exe")), kWhole);
    ASSERT_GE(window.label1History.size(), 2u);
    EXPECT_EQ(window.label1History.front(), "Downloading file, Please wait... 1 KB/3 KB");
    EXPECT_EQ(window.label1History.back(), "正在下载门锁软件，请稍等... 3 KB/3 KB");
}

TEST(ProgressDisplay, TheStatusLineAndTheBar) {
    FakeWindow window;
    FakeSystemInfo clock;
    clock.ticksPerRead = kRepaintIntervalMs;
    bool chinese = false;
    ProgressDisplay progress(window, clock, chinese);
    progress.SetDecimalSeparator(",");
    progress.WorkBegin(3 * 1024 * 1024);
    EXPECT_EQ(window.progressMax, 3 * 1024 * 1024);
    EXPECT_EQ(window.progressPosition, 0);
    progress.Work(1536);
    EXPECT_EQ(window.Text(Control::Label1), "Downloading file, Please wait... 2 KB/3,00 MB");
    EXPECT_EQ(window.progressPosition, 1536);
    EXPECT_EQ(window.repaints, 2);

    // The latest announcement counts, in the language of the moment.
    progress.WorkBegin(2048);
    progress.SetLanguage(true);
    progress.Work(0);
    EXPECT_EQ(window.Text(Control::Label1), "正在下载门锁软件，请稍等... 0 KB/2 KB");
    EXPECT_EQ(window.progressPosition, 0);
}

}  // namespace
}  // namespace pellinor

namespace pellinor {
namespace {

// Every way a reply can be cut, padded or mislabelled that once let a piece
// of a file through, and the edges of the rules that refuse them: each row
// gives the step the download ends at and the first words of the E0059 box
// (empty: no box); only a download that is done writes the file.
TEST_F(DownloadTest, OnlyAWholeFileInItsDeclaredFramingIsWritten) {
    // Letters: no byte of the data may pass for a line end.
    std::string body(4096, 'a');
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
    const std::string head200 = "HTTP/1.1 200 OK\r\n";
    auto chunk = [](const std::string& data) {
        char size[32];
        std::snprintf(size, sizeof size, "%zx\r\n", data.size());
        return size + data + "\r\n";
    };
    const Step done = Step::Done;
    const Step failed = Step::Download;
    struct Row {
        const char* what;
        std::string reply;
        Step step;
        std::string box;
    };
    const std::vector<Row> rows = {
        {"two lengths that disagree",
         head200 + "Content-Length: 2048\r\nContent-Length: 4096\r\n\r\n" + body, failed,
         kConflictingLengths},
        {"a list of lengths that disagree", head200 + "Content-Length: 4096, 2048\r\n\r\n" + body,
         failed, kConflictingLengths},
        {"a length beside a length that is none",
         head200 + "Content-Length: 4096\r\nContent-Length: x\r\n\r\n" + body, failed,
         BrokenReplyText("Content-Length: x")},
        {"the same length twice",
         head200 + "Content-Length: 4096\r\nContent-length: 4096\r\n\r\n" + body, done, ""},
        {"chunk data longer than its size",
         head200 + "Transfer-Encoding: chunked\r\n\r\n400\r\n" + body.substr(0, 1034) + "\r\n" +
             chunk(body.substr(1034)) + "0\r\n\r\n",
         failed, kBrokenChunk},
        {"chunks that keep their sizes",
         head200 + "Transfer-Encoding: chunked\r\n\r\n" + chunk(body.substr(0, 1024)) +
             chunk(body.substr(1024)) + "0\r\n\r\n",
         done, ""},
        {"a piece of the file",
         "HTTP/1.1 206 Partial Content\r\nContent-Length: 2048\r\n\r\n" + body.substr(0, 2048),
         failed, "HTTP/1.1 206 Partial Content"},
        {"another success than 200",
         "HTTP/1.1 203 Non-Authoritative Information\r\nContent-Length: 4096\r\n\r\n" + body,
         failed, "HTTP/1.1 203 Non-Authoritative Information"},
        {"a status of four digits", "HTTP/1.1 2000 Bogus\r\nContent-Length: 4096\r\n\r\n" + body,
         failed, BrokenReplyText(kBrokenStatusLine)},
        {"a status of two digits", "HTTP/1.1 20 OK\r\nContent-Length: 4096\r\n\r\n" + body, failed,
         BrokenReplyText(kBrokenStatusLine)},
        {"interim answers before the real one",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 102 Processing\r\n\r\nHTTP/1.1 103 Early "
         "Hints\r\nLink: </a>\r\n\r\n" +
             WithLength(body),
         done, ""},
        {"a switch of protocols", "HTTP/1.1 101 Switching Protocols\r\n\r\n" + WithLength(body),
         failed, "HTTP/1.1 101 Switching Protocols"},
        {"an announced body one byte over the bound",
         head200 + "Content-Length: " + std::to_string(kMaxBodyBytes + 1) + "\r\n\r\n" + body,
         failed, kBodyTooLarge},
        {"a chunk one byte over the bound",
         head200 + "Transfer-Encoding: chunked\r\n\r\n10000001\r\n" + body, failed, kBodyTooLarge},
        {"a body at the bound that stops short",
         head200 + "Content-Length: " + std::to_string(kMaxBodyBytes) + "\r\n\r\n" + body, failed,
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        files.Remove(kDest);
        server.Enqueue(ScriptedReply(row.reply, AfterReply::Close));
        const std::string url = server.Url("/V9/02/Tessaron.Exe");
        EXPECT_EQ(Download(url),
                  row.box.empty() ? Ended(Failure(row.step)) : ClientError(row.box, url));
        EXPECT_EQ(Written(), row.step == done);
        if (row.step == done) {
            EXPECT_EQ(files.Bytes(kDest), body);
        }
    }
}

// The header block is bounded as a whole: so many lines that each is short,
// blank lines where the status line should be, trailers without end.
TEST_F(DownloadTest, AHeaderBlockPastItsBoundIsRefusedAtAnyPlace) {
    const std::string body = Pattern(2000);
    auto padding = [](size_t bytes) {
        std::string lines;
        while (lines.size() < bytes) lines += "X:\r\n";
        return lines;
    };
    const std::string url = server.Url("/t.exe");
    // The status line, the length and the end take this much besides the padding.
    const std::string start = "HTTP/1.1 200 OK\r\n";
    const std::string end = "Content-Length: 2000\r\n\r\n";
    std::string justFits = start;
    while (justFits.size() + 4 + end.size() <= kMaxHeadBytes) justFits += "X:\r\n";
    server.Enqueue(ScriptedReply(justFits + end + body, AfterReply::Close));
    EXPECT_EQ(Download(url), kWhole);

    const std::string tooMany = justFits + "XY:\r\nXY:\r\n" + end + body;
    // After the last chunk the trailers are one more block under the same
    // bound; one without end leaves the file unwritten like any failure.
    const std::string endlessTrailers =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n7d0\r\n" + body + "\r\n0\r\n" +
        padding(kMaxHeadBytes + 8);
    for (const std::string& reply : {tooMany, endlessTrailers}) {
        files.Remove(kDest);
        server.Enqueue(ScriptedReply(reply, AfterReply::Hang));
        EXPECT_EQ(Download(url), ClientError(kHeaderBlockTooLarge, url));
        EXPECT_FALSE(Written());
    }
}

}  // namespace
}  // namespace pellinor

namespace pellinor {
namespace {

// A disk that fills up in the middle of the file: the error reaches the
// user, and the piece written so far is gone. A temporary name that another
// program holds is left as that program has it.
TEST_F(DownloadTest, APieceOfAFileNeverStaysOnTheDisk) {
    auto writeError = [](const std::string& text) {
        StepResult result = Failure(Step::Write);
        result.text = text;
        return Ended(result);
    };
    const std::string body = Pattern(4096);
    files.writeFailsAfter = 1000;
    server.Enqueue(ScriptedReply(WithLength(body)));
    EXPECT_EQ(
        Download(server.Url("/full.exe")),
        writeError("Cannot write file \"" + kDest + "\". There is not enough space on the disk"));
    EXPECT_FALSE(Written());

    files.writeFailsAfter.reset();
    files.refuseWrites = true;
    files.AddFile(kDest, "held by another program");
    server.Enqueue(ScriptedReply(WithLength(body)));
    EXPECT_EQ(Download(server.Url("/held.exe")),
              writeError("Cannot create file \"" + kDest + "\". Access is denied"));
    EXPECT_EQ(files.Bytes(kDest), "held by another program");
}

}  // namespace
}  // namespace pellinor
