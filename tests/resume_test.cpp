// A download cut off in its body over a scripted server: resumed with Range
// and If-Range while it safely may be, and never taken for whole unless
// every byte of the length first announced arrived, in order, of one file.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "http/HttpConnection.h"
#include "http/HttpResponseReader.h"
#include "platform/Error.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/Download.h"

namespace pellinor {
namespace {

using std::chrono::milliseconds;

// A silent connection is given up this soon, so that a line that hangs
// ends each try quickly with "Read Timeout".
constexpr milliseconds kSilence{300};
// Past the body the client holds in memory, so that the bytes held across
// a drop lie partly in its scratch file.
constexpr size_t kFileSize = 3 * kBodyHeldInMemory + 12345;
const std::string kEtag = "ETag: \"v1\"";
const std::string kLastModified = "Last-Modified: Tue, 01 Dec 2026 10:00:00 GMT";
const std::string kSecondLater = "Date: Tue, 01 Dec 2026 10:00:01 GMT";

std::string File(size_t size, int version) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i * 31 + i / 97 + version * 7);
    return s;
}

// What the server does with one request.
enum class Answer {
    Serve,       // the file from the range asked for (all of it without one)
    Changed,     // the file has changed: a 200 of the new one, whatever was asked
    WrongStart,  // a 206 that starts one byte later than asked
    WrongTotal,  // a 206 that names another complete length
    OtherTag,    // a 206 of the changed file (a cache that ignores If-Range) under "v2"
    NoTag,       // the same without an ETag
    WeakTag,     // the same under W/"v1"
    Refuse,      // 416
};

// How the answer's body ends: whole, or cut by the line after cutAt bytes
// of the file (counted from its start).
enum class Cut { None, Close, Reset, Hang };

struct Step {
    Answer answer = Answer::Serve;
    Cut cut = Cut::None;
    double cutAt = 0;  // the fraction of the file after which the line drops
};

ScriptedReply Reply(const Step& step, const std::string& request,
                    const std::vector<std::string>& fields) {
    const bool piece = step.answer == Answer::OtherTag || step.answer == Answer::NoTag ||
                       step.answer == Answer::WeakTag;
    const std::string file = File(kFileSize, step.answer == Answer::Changed || piece ? 2 : 1);
    size_t from = step.answer == Answer::Changed ? 0 : RangeStart(request);
    std::vector<std::string> head = fields;
    if (piece) {
        head = {step.answer == Answer::OtherTag  ? "ETag: \"v2\""
                : step.answer == Answer::WeakTag ? "ETag: W/\"v1\""
                                                 : "Accept-Ranges: bytes"};
    }
    std::string status = "HTTP/1.1 200 OK";
    if (step.answer == Answer::Refuse) {
        return ScriptedReply(
            HttpHead("HTTP/1.1 416 Range Not Satisfiable",
                     {"Content-Range: bytes */" + std::to_string(kFileSize), "Content-Length: 0"}));
    }
    if (from > 0) {
        status = "HTTP/1.1 206 Partial Content";
        const size_t start = from + (step.answer == Answer::WrongStart ? 1 : 0);
        const size_t total = kFileSize + (step.answer == Answer::WrongTotal ? 1000 : 0);
        head.push_back("Content-Range: bytes " + std::to_string(start) + "-" +
                       std::to_string(total - 1) + "/" + std::to_string(total));
        from = start;
    }
    head.push_back("Content-Length: " + std::to_string(kFileSize - from));
    const size_t end =
        step.cut == Cut::None ? kFileSize : static_cast<size_t>(kFileSize * step.cutAt);
    ScriptedReply reply(HttpHead(status, head) + file.substr(from, end - from));
    switch (step.cut) {
        case Cut::None:
            break;
        case Cut::Close:
            reply.Finally(AfterReply::Close);
            break;
        case Cut::Reset:
            // The bytes are read before the reset comes, as on a real line.
            reply.Then("", milliseconds(200)).Finally(AfterReply::Reset);
            break;
        case Cut::Hang:
            reply.Finally(AfterReply::Hang);
            break;
    }
    return reply;
}

struct Case {
    const char* name;
    std::vector<std::string> fields;  // the validators and Accept-Ranges of every answer
    std::vector<Step> steps;          // one for each request, in order
    std::string error;                // the text the download ends with, empty for none
    int version;                      // of the file written, 0 when nothing is
};

const Step kServe{};
Step CutAt(double fraction, Cut cut = Cut::Close) {
    return Step{Answer::Serve, cut, fraction};
}
Step Answering(Answer answer) {
    return Step{answer, Cut::None, 0};
}

const std::string k206 = "HTTP/1.1 206 Partial Content";
const std::string kReset = "Socket Error # 10054\r\nConnection reset by peer.";
const std::string kReadTimeout = "Read Timeout";
// Each try brings the file on a little before the line hangs again.
std::vector<Step> HangEveryTry() {
    std::vector<Step> steps;
    for (int i = 1; i <= kMaxDownloadTries; ++i) steps.push_back(CutAt(0.1 * i, Cut::Hang));
    return steps;
}

const Case kCases[] = {
    {"drop at 10%", {kEtag}, {CutAt(0.1), kServe}, "", 1},
    {"drop at 50%", {kEtag, "Accept-Ranges: bytes"}, {CutAt(0.5), kServe}, "", 1},
    {"drop at 99%", {kEtag}, {CutAt(0.99), kServe}, "", 1},
    {"reset at 50%", {kEtag}, {CutAt(0.5, Cut::Reset), kServe}, "", 1},
    {"silence at 50%", {kEtag}, {CutAt(0.5, Cut::Hang), kServe}, "", 1},
    {"Last-Modified only", {kLastModified, kSecondLater}, {CutAt(0.5), kServe}, "", 1},
    {"two drops", {kEtag}, {CutAt(0.3), CutAt(0.6), kServe}, "", 1},
    {"file changed", {kEtag}, {CutAt(0.5), Answering(Answer::Changed)}, "", 2},
    // A 206 that is not the rest of the file held: the file again from its start.
    {"wrong start", {kEtag}, {CutAt(0.5), Answering(Answer::WrongStart), kServe}, "", 1},
    {"wrong total", {kEtag}, {CutAt(0.5), Answering(Answer::WrongTotal), kServe}, "", 1},
    {"206 under another ETag", {kEtag}, {CutAt(0.5), Answering(Answer::OtherTag), kServe}, "", 1},
    {"206 without ETag", {kEtag}, {CutAt(0.5), Answering(Answer::NoTag), kServe}, "", 1},
    {"206 under a weak ETag", {kEtag}, {CutAt(0.5), Answering(Answer::WeakTag), kServe}, "", 1},
    {"416",
     {kEtag},
     {CutAt(0.5), Answering(Answer::Refuse)},
     "HTTP/1.1 416 Range Not Satisfiable",
     0},
    {"no validator", {}, {CutAt(0.5, Cut::Hang)}, kReadTimeout, 0},
    {"weak ETag", {"ETag: W/\"v1\""}, {CutAt(0.5, Cut::Hang)}, kReadTimeout, 0},
    {"Last-Modified of the same second",
     {kLastModified, "Date: Tue, 01 Dec 2026 10:00:00 GMT"},
     {CutAt(0.5, Cut::Hang)},
     kReadTimeout,
     0},
    {"ranges refused", {kEtag, "Accept-Ranges: none"}, {CutAt(0.5, Cut::Hang)}, kReadTimeout, 0},
    {"drop on every try", {kEtag}, HangEveryTry(), kReadTimeout, 0},
};

class ResumeTable : public ::testing::TestWithParam<Case> {};

TEST_P(ResumeTable, ResumesOnlyWhatContinuesTheSameFile) {
    const Case& c = GetParam();
    ScriptedHttpServer server;
    size_t next = 0;
    server.SetHandler([&](const std::string& request) {
        const Step& step = next < c.steps.size() ? c.steps[next] : kServe;
        ++next;
        return Reply(step, request, c.fields);
    });
    // The progress the window is shown, as counts of the whole file.
    std::vector<int64_t> counts;
    HttpClient client{HttpEvents{[&](int32_t max) { counts.push_back(-int64_t{max}); },
                                 [&](int32_t count) { counts.push_back(count); }, [] {}, nullptr},
                      std::make_unique<HttpConnection>([] {}, kSilence)};

    const std::unique_ptr<ScratchFile> scratch = PosixFileSystem("/").OpenScratchFile();
    ASSERT_NE(scratch, nullptr);
    const FetchOutcome outcome =
        FetchOneFile(client, server.Url("/V9/02/Tessaron.Exe"), scratch.get(),
                     ResumeLimits{kMaxDownloadTries, milliseconds(10)});

    EXPECT_EQ(outcome.error, c.error);
    EXPECT_EQ(outcome.whole, c.version != 0);
    if (c.version != 0) {
        std::string whole;
        ForEachPiece(*scratch, [&](const char* data, size_t size) { whole.append(data, size); });
        whole += outcome.response.body;
        EXPECT_EQ(whole.size(), kFileSize);
        EXPECT_TRUE(whole == File(kFileSize, c.version)) << "not the file's bytes";
        EXPECT_LE(outcome.response.body.size(), kBodyHeldInMemory + kReadSize);
    }
    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), c.steps.size());
    EXPECT_EQ(outcome.tries, static_cast<int>(c.steps.size()));
    // Every resume asks for the rest from where the line dropped, under the
    // validator the file came with; after another file's piece, for all of it.
    for (size_t i = 1; i < requests.size(); ++i) {
        const std::string validator = c.fields[0].substr(c.fields[0].find(": ") + 2);
        const auto dropped = static_cast<size_t>(kFileSize * c.steps[i - 1].cutAt);
        if (c.steps[i - 1].cut == Cut::None) {
            EXPECT_EQ(requests[i].find("Range:"), std::string::npos) << requests[i];
            continue;
        }
        EXPECT_NE(requests[i].find("\r\nRange: bytes=" + std::to_string(dropped) +
                                   "-\r\nIf-Range: " + validator + "\r\n"),
                  std::string::npos)
            << requests[i];
    }
    // While every answer continues the file, each announcement is of the
    // whole file and the count never goes back: a resume goes on from the
    // bytes held. (A new file, or a refusal's page, counts from 0 again.)
    const bool continued = std::all_of(c.steps.begin(), c.steps.end(),
                                       [](const Step& s) { return s.answer == Answer::Serve; });
    if (!continued) return;
    int64_t last = 0;
    for (int64_t count : counts) {
        if (count < 0) {
            EXPECT_EQ(-count, static_cast<int64_t>(kFileSize));
        } else {
            EXPECT_GE(count, last);
            last = count;
        }
    }
    // The last count is the bytes held at the end: all of a whole file.
    const Step& end = c.steps.back();
    EXPECT_EQ(last, static_cast<int64_t>(end.cut == Cut::None ? kFileSize : kFileSize * end.cutAt));
}

// Each case is shown by its name when it fails.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cuts, ResumeTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// A scratch file that cannot take the bytes (the temporary folder's disk
// is full): the download fails with its text and is never resumed.
TEST(ResumeScratch, AFullTemporaryDiskEndsTheDownloadWithItsText) {
    class FullScratch : public ScratchFile {
      public:
        void Append(const char*, size_t) override { throw Error("Cannot write file. Disk full."); }
        size_t Read(uint64_t, char*, size_t) override { return 0; }
        uint64_t Size() const override { return 0; }
        void Clear() override {}
    } full;
    ScriptedHttpServer server;
    server.SetHandler([](const std::string& request) { return Reply(kServe, request, {kEtag}); });
    HttpClient client{HttpEvents{}};
    const FetchOutcome outcome = FetchOneFile(client, server.Url("/t.exe"), &full);
    EXPECT_TRUE(outcome.failed);
    EXPECT_FALSE(outcome.whole);
    EXPECT_EQ(outcome.error, "Cannot write file. Disk full.");
    EXPECT_EQ(outcome.tries, 1);
}

// The close box answered during the pause between two tries: the download
// stops there, with nothing kept.
TEST(ResumePause, TheUserStopsItBetweenTwoTries) {
    ScriptedHttpServer server;
    server.SetHandler(
        [](const std::string& request) { return Reply(CutAt(0.5), request, {kEtag}); });
    HttpClient* self = nullptr;
    // The first turn after the first GET ended is one of the pause's.
    HttpClient client{HttpEvents{nullptr, nullptr,
                                 [&] {
                                     if (self->GetsEnded() == 1) self->Stop();
                                 },
                                 nullptr}};
    self = &client;
    const FetchOutcome outcome =
        FetchOneFile(client, server.Url("/t.exe"), nullptr, ResumeLimits{6, milliseconds(60000)});
    EXPECT_TRUE(outcome.stopped);
    EXPECT_FALSE(outcome.whole);
    EXPECT_EQ(DownloadResult(outcome), kDownloadStopped);
    EXPECT_EQ(server.Requests().size(), 1u);
}

}  // namespace
}  // namespace pellinor
