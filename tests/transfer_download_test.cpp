// DownloadOneFile end to end over a scripted server: what reaches the disk,
// the result code, the E0059 box, the cursor and the progress display.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "platform/Error.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/Download.h"
#include "transfer/HttpResponseReader.h"
#include "transfer/SocketErrors.h"
#include "window/WindowDownload.h"

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

class DownloadTest : public ::testing::Test {
  protected:
    DownloadTest() { files.AddFolder("C:\\Hotel\\Lock\\"); }
    int Download(const std::string& url) {
        DownloadSite site{window, files, client, repaints};
        return DownloadOneFile(site, url, kDest);
    }
    bool Written() { return files.FileExists(kDest); }
    std::string BoxText(const std::string& message, const std::string& url) const {
        return message + "\n\n" + url + "\n" + kDest;
    }

    FakeWindow window;
    FakeFileSystem files;
    int64_t fileSize = 0;
    bool chinese = false;
    FakeSystemInfo clock;
    RepaintThrottle repaints{clock};
    HttpClient client{HttpEvents{
        [this](int32_t max) { ShowWorkBegin(window, repaints, fileSize, max); },
        [this](int32_t count) { ShowWork(window, repaints, fileSize, count, chinese, "."); },
        [this] { window.ProcessMessages(); },
    }};
    ScriptedHttpServer server;
};

TEST_F(DownloadTest, TheWholeFileOfAtLeast1024BytesIsWritten) {
    server.Enqueue(ScriptedReply(WithLength(Pattern(1024))));
    EXPECT_EQ(Download(server.Url("/V9/02/Tessaron.Exe")), 0);
    EXPECT_EQ(files.Bytes(kDest), Pattern(1024));
    EXPECT_EQ(window.Text(Control::Label3), kDest);
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_EQ(fileSize, 1024);
    EXPECT_EQ(window.progressMax, 1024);
    EXPECT_EQ(window.progressPosition, 1024);
    EXPECT_EQ(window.Text(Control::Label1), "Downloading file, Please wait... 1 KB/1 KB");
}

// However fast the events come, the window is painted with the last of them
// before the file is written.
TEST_F(DownloadTest, TheWindowShowsTheFinalProgressOnceTheBodyArrived) {
    const std::string body = Pattern(1 << 20);
    server.Enqueue(ScriptedReply(WithLength(body)));
    files.refuseWrites = true;  // the state on screen is looked at when the write comes
    std::string paintedAtWrite;
    try {
        Download(server.Url("/V9/02/Tessaron.Exe"));
    } catch (const Error&) {
        paintedAtWrite = window.paintedLabel1;
    }
    EXPECT_EQ(paintedAtWrite, "Downloading file, Please wait... 1.00 MB/1.00 MB");
    EXPECT_EQ(window.paintedProgressPosition, 1 << 20);
    // Every event of at most 32 KiB still wrote the line; few were painted.
    EXPECT_GE(window.label1History.size(), 32u);
    EXPECT_LE(window.repaints, 2);
}

TEST_F(DownloadTest, AFileOf1023BytesIsNotWritten) {
    server.Enqueue(ScriptedReply(WithLength(Pattern(1023))));
    EXPECT_EQ(Download(server.Url("/small.exe")), -1);
    EXPECT_FALSE(Written());
    EXPECT_TRUE(window.boxes.empty());
}

// Once, a chunked body cut off after its last begun chunk passed the size
// test: the buffer held more than that one chunk announced.
TEST_F(DownloadTest, AChunkedBodyCutOffIsNeverWritten) {
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}) +
                                     "fa0\r\n" + Pattern(4000) + "\r\n5dc\r\n" + Pattern(1500 - 1),
                                 AfterReply::Close));
    const std::string url = server.Url("/cut.exe");
    EXPECT_EQ(Download(url), -59);
    EXPECT_FALSE(Written());
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, BoxText("Connection Closed Gracefully.", url));
}

TEST_F(DownloadTest, ATruncatedBodyOrOneUpToTheCloseIsNotWritten) {
    server.Enqueue(ScriptedReply(
        HttpHead("HTTP/1.1 200 OK", {"Content-Length: 5000"}) + Pattern(4000), AfterReply::Close));
    EXPECT_EQ(Download(server.Url("/truncated.exe")), -1);
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 200 OK") + Pattern(5000), AfterReply::Close));
    EXPECT_EQ(Download(server.Url("/until-close.exe")), -1);
    EXPECT_EQ(fileSize, 0);
    EXPECT_FALSE(Written());
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(DownloadTest, AMissingFileShowsTheStatusLine) {
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 2000"}) +
                                 Pattern(2000)));
    const std::string url = server.Url("/V9/02/Tessaron.Exe");
    EXPECT_EQ(Download(url), -59);
    EXPECT_FALSE(Written());
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, BoxText("HTTP/1.1 404 Not Found", url));
    EXPECT_EQ(window.boxes[0].caption, "E0059");
    EXPECT_EQ(window.boxes[0].style, 16u);
}

TEST_F(DownloadTest, ConnectionFailuresShowTheSocketErrorText) {
    server.Enqueue(ScriptedReply(std::string(), AfterReply::Close));
    const std::string closed = server.Url("/x.exe");
    EXPECT_EQ(Download(closed), -59);
    EXPECT_EQ(Download("http://nosuchhost.invalid/V9/x.exe"), -59);
    server.Stop();
    EXPECT_EQ(Download(closed), -59);
    ASSERT_EQ(window.boxes.size(), 3u);
    EXPECT_EQ(window.boxes[0].text, BoxText("Connection Closed Gracefully.", closed));
    EXPECT_EQ(window.boxes[1].text, BoxText("Socket Error # 11001\r\nHost not found.",
                                            "http://nosuchhost.invalid/V9/x.exe"));
    EXPECT_EQ(window.boxes[2].text, BoxText("Socket Error # 10061\r\nConnection refused.", closed));
    EXPECT_FALSE(Written());
}

TEST_F(DownloadTest, TheBoxShowsTheEncodedAddress) {
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 403 Forbidden", {"Content-Length: 0"})));
    EXPECT_EQ(Download(server.Url("/my dir/a b.exe")), -59);
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text,
              BoxText("HTTP/1.1 403 Forbidden", server.Url("/my%20dir/a%20b.exe")));
    EXPECT_EQ(RequestTarget(server.Requests().at(0)), "/my%20dir/a%20b.exe");
}

TEST_F(DownloadTest, TheRedirectLimitGivesNothingAndNoBox) {
    server.SetHandler([](const std::string&) {
        return ScriptedReply(
            HttpHead("HTTP/1.1 302 Found", {"Location: /again", "Content-Length: 0"}));
    });
    fileSize = 4096;  // left from an earlier download
    EXPECT_EQ(Download(server.Url("/loop")), -1);
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_EQ(server.Requests().size(), 15u);
}

TEST_F(DownloadTest, TheCursorIsRestoredOnEveryWayOut) {
    bool busyDuringTransfer = false;
    window.onProcessMessages = [&] { busyDuringTransfer = window.busyCursor; };
    server.Enqueue(ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 2000"}))
                       .Then(Pattern(2000), milliseconds(400)));
    EXPECT_EQ(Download(server.Url("/slow.exe")), 0);
    EXPECT_TRUE(busyDuringTransfer);
    EXPECT_FALSE(window.busyCursor);

    // Errors of the encoding and of the write leave the function.
    try {
        Download("127.0.0.1/V9/Tessaron.Exe");
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Protocol field is empty");
    }
    EXPECT_FALSE(window.busyCursor);
    EXPECT_THROW(Download("http:///V9/Tessaron.Exe"), Error);
    EXPECT_FALSE(window.busyCursor);

    files.refuseWrites = true;
    server.Enqueue(ScriptedReply(WithLength(Pattern(2000))));
    EXPECT_THROW(Download(server.Url("/ok.exe")), Error);
    EXPECT_FALSE(window.busyCursor);
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(DownloadTest, ADoubleClickDuringAStallSwitchesTheProgressLanguage) {
    // The status bar's double-click runs nested inside the transfer's pump.
    window.onProcessMessages = [&] {
        if (!window.label1History.empty()) chinese = true;
    };
    const std::string body = Pattern(3000);
    server.Enqueue(
        ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 3000"}) + body.substr(0, 1000))
            .Then(body.substr(1000), milliseconds(600)));
    EXPECT_EQ(Download(server.Url("/stall.exe")), 0);
    ASSERT_GE(window.label1History.size(), 2u);
    EXPECT_EQ(window.label1History.front(), "Downloading file, Please wait... 1 KB/3 KB");
    EXPECT_EQ(window.label1History.back(), "正在下载门锁软件，请稍等... 3 KB/3 KB");
}

TEST(ProgressDisplay, TheStatusLineAndTheBar) {
    FakeWindow window;
    FakeSystemInfo clock;
    clock.ticksPerRead = kRepaintIntervalMs;
    RepaintThrottle repaints(clock);
    int64_t fileSize = 77;
    ShowWorkBegin(window, repaints, fileSize, 3 * 1024 * 1024);
    EXPECT_EQ(fileSize, 3 * 1024 * 1024);
    EXPECT_EQ(window.progressMax, 3 * 1024 * 1024);
    EXPECT_EQ(window.progressPosition, 0);
    ShowWork(window, repaints, fileSize, 1536, false, ",");
    EXPECT_EQ(window.Text(Control::Label1), "Downloading file, Please wait... 2 KB/3,00 MB");
    EXPECT_EQ(window.progressPosition, 1536);
    EXPECT_EQ(window.repaints, 2);

    // A negative announcement is sign-extended; the text uses the low 32 bits.
    ShowWorkBegin(window, repaints, fileSize, -1);
    EXPECT_EQ(fileSize, -1);
    ShowWork(window, repaints, (int64_t{1} << 32) + 2048, 0, true, ".");
    EXPECT_EQ(window.Text(Control::Label1), "正在下载门锁软件，请稍等... 0 KB/2 KB");
}

}  // namespace
}  // namespace pellinor

namespace pellinor {
namespace {

// Every way a reply can be cut, padded or mislabelled that once let a piece
// of a file through, and the edges of the rules that refuse them: each row
// gives the result, the first words of the E0059 box (empty: no box) and
// whether the file was written.
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
    struct Row {
        const char* what;
        std::string reply;
        int result;
        std::string box;
    };
    const std::vector<Row> rows = {
        {"two lengths that disagree",
         head200 + "Content-Length: 2048\r\nContent-Length: 4096\r\n\r\n" + body, -59,
         kConflictingLengths},
        {"a list of lengths that disagree", head200 + "Content-Length: 4096, 2048\r\n\r\n" + body,
         -59, kConflictingLengths},
        {"a length beside a length that is none",
         head200 + "Content-Length: 4096\r\nContent-Length: x\r\n\r\n" + body, -59,
         BrokenReplyText("Content-Length: x")},
        {"the same length twice",
         head200 + "Content-Length: 4096\r\nContent-length: 4096\r\n\r\n" + body, 0, ""},
        {"chunk data longer than its size",
         head200 + "Transfer-Encoding: chunked\r\n\r\n400\r\n" + body.substr(0, 1034) + "\r\n" +
             chunk(body.substr(1034)) + "0\r\n\r\n",
         -59, kBrokenChunk},
        {"chunks that keep their sizes",
         head200 + "Transfer-Encoding: chunked\r\n\r\n" + chunk(body.substr(0, 1024)) +
             chunk(body.substr(1024)) + "0\r\n\r\n",
         0, ""},
        {"a piece of the file",
         "HTTP/1.1 206 Partial Content\r\nContent-Length: 2048\r\n\r\n" + body.substr(0, 2048), -59,
         "HTTP/1.1 206 Partial Content"},
        {"another success than 200",
         "HTTP/1.1 203 Non-Authoritative Information\r\nContent-Length: 4096\r\n\r\n" + body, -59,
         "HTTP/1.1 203 Non-Authoritative Information"},
        {"a status of four digits", "HTTP/1.1 2000 Bogus\r\nContent-Length: 4096\r\n\r\n" + body,
         -59, BrokenReplyText(kBrokenStatusLine)},
        {"a status of two digits", "HTTP/1.1 20 OK\r\nContent-Length: 4096\r\n\r\n" + body, -59,
         BrokenReplyText(kBrokenStatusLine)},
        {"interim answers before the real one",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 102 Processing\r\n\r\nHTTP/1.1 103 Early "
         "Hints\r\nLink: </a>\r\n\r\n" +
             WithLength(body),
         0, ""},
        {"a switch of protocols", "HTTP/1.1 101 Switching Protocols\r\n\r\n" + WithLength(body),
         -59, "HTTP/1.1 101 Switching Protocols"},
        {"an announced body one byte over the bound",
         head200 + "Content-Length: " + std::to_string(kMaxBodyBytes + 1) + "\r\n\r\n" + body, -59,
         kBodyTooLarge},
        {"a chunk one byte over the bound",
         head200 + "Transfer-Encoding: chunked\r\n\r\n10000001\r\n" + body, -59, kBodyTooLarge},
        {"a body at the bound that stops short",
         head200 + "Content-Length: " + std::to_string(kMaxBodyBytes) + "\r\n\r\n" + body, -1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        files.Remove(kDest);
        window.boxes.clear();
        server.Enqueue(ScriptedReply(row.reply, AfterReply::Close));
        const std::string url = server.Url("/V9/02/Tessaron.Exe");
        EXPECT_EQ(Download(url), row.result);
        EXPECT_EQ(Written(), row.result == 0);
        if (row.result == 0) EXPECT_EQ(files.Bytes(kDest), body);
        if (row.box.empty()) {
            EXPECT_TRUE(window.boxes.empty());
        } else {
            ASSERT_EQ(window.boxes.size(), 1u);
            EXPECT_EQ(window.boxes[0].text, BoxText(row.box, url));
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
    EXPECT_EQ(Download(url), 0);
    EXPECT_TRUE(window.boxes.empty());

    const std::string tooMany = justFits + "XY:\r\nXY:\r\n" + end + body;
    // After the last chunk the trailers are one more block under the same
    // bound; one without end leaves the file unwritten like any failure.
    const std::string endlessTrailers =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n7d0\r\n" + body + "\r\n0\r\n" +
        padding(kMaxHeadBytes + 8);
    for (const std::string& reply : {tooMany, endlessTrailers}) {
        files.Remove(kDest);
        window.boxes.clear();
        server.Enqueue(ScriptedReply(reply, AfterReply::Hang));
        EXPECT_EQ(Download(url), -59);
        EXPECT_FALSE(Written());
        ASSERT_EQ(window.boxes.size(), 1u);
        EXPECT_EQ(window.boxes[0].text, BoxText(kHeaderBlockTooLarge, url));
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
    const std::string body = Pattern(4096);
    files.writeFailsAfter = 1000;
    server.Enqueue(ScriptedReply(WithLength(body)));
    EXPECT_THROW(Download(server.Url("/full.exe")), Error);
    EXPECT_FALSE(Written());

    files.writeFailsAfter.reset();
    files.refuseWrites = true;
    files.AddFile(kDest, "held by another program");
    server.Enqueue(ScriptedReply(WithLength(body)));
    EXPECT_THROW(Download(server.Url("/held.exe")), Error);
    EXPECT_EQ(files.Bytes(kDest), "held by another program");
}

}  // namespace
}  // namespace pellinor
