// The support tool pellinor-fetch: its command line, its progress and
// summary lines, and whole runs against a scripted server on 127.0.0.1
// with the answers a hotel's PC may get, checking the exit code, the lines
// and that FILE appears only with a whole body.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "fetch/FetchArguments.h"
#include "fetch/FetchReport.h"
#include "fetch/FetchRun.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/ScriptedHttpServer.h"

namespace pellinor {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

TEST(FetchToolArguments, AnAddressAndAnOptionalFile) {
    const FetchArguments one = ParseFetchArguments({"http://h/a"});
    EXPECT_FALSE(one.help);
    EXPECT_EQ(one.url, "http://h/a");
    EXPECT_EQ(one.file, "");
    const FetchArguments two = ParseFetchArguments({"http://h/a", "C:\\x\\a.exe"});
    EXPECT_EQ(two.file, "C:\\x\\a.exe");
    EXPECT_TRUE(ParseFetchArguments({"http://h/a", "--help"}).help);
    EXPECT_TRUE(ParseFetchArguments({"/?"}).help);

    EXPECT_THROW(ParseFetchArguments({}), UsageError);
    EXPECT_THROW(ParseFetchArguments({"http://h/a", "f", "g"}), UsageError);
    EXPECT_THROW(ParseFetchArguments({"--verbose", "http://h/a"}), UsageError);
    EXPECT_THROW(ParseFetchArguments({"http://h/a", ""}), UsageError);

    const FetchArguments proxied = ParseFetchArguments({"--proxy", "p.hotel:3128", "http://h/a"});
    EXPECT_EQ(proxied.proxy, "p.hotel:3128");
    EXPECT_EQ(proxied.url, "http://h/a");
    EXPECT_TRUE(ParseFetchArguments({"http://h/a", "--no-proxy"}).noProxy);
    EXPECT_THROW(ParseFetchArguments({"http://h/a", "--proxy"}), UsageError);
    EXPECT_THROW(ParseFetchArguments({"--proxy", "p:99999", "http://h/a"}), UsageError);
    EXPECT_THROW(ParseFetchArguments({"--proxy", "p:1", "--no-proxy", "http://h/a"}), UsageError);
    const FetchArguments pinned =
        ParseFetchArguments({"--publisher", "a.crt", "--publisher", "s.der", "http://h/a", "f"});
    EXPECT_EQ(pinned.publishers, (std::vector<std::string>{"a.crt", "s.der"}));
    EXPECT_THROW(ParseFetchArguments({"--publisher", "a.crt", "http://h/a"}), UsageError)
        << "nothing to check without FILE";

    EXPECT_EQ(FetchExitCode(kDownloadOk), kFetchWhole);
    EXPECT_EQ(FetchExitCode(kDownloadIncomplete), kFetchNotWhole);
    EXPECT_EQ(FetchExitCode(kDownloadFailed), kFetchFailed);
    for (const char* code : {"0 ", "1 ", "2 ", "3 ", "4 ", "5 "}) {
        EXPECT_NE(FetchUsage().find(std::string("\n  ") + code), std::string::npos) << code;
    }
}

TEST(FetchToolReport, WorkLinesAreThrottledAndEveryBeginIsShown) {
    std::vector<std::string> lines;
    ProgressLines progress([&](const std::string& line) { lines.push_back(line); });
    const ProgressLines::Clock::time_point t0{};
    progress.WorkBegin(200000, t0);
    progress.Work(32768, t0 + milliseconds(10));
    progress.Work(65536, t0 + kProgressLineInterval);
    progress.Work(98304, t0 + kProgressLineInterval + milliseconds(10));
    progress.WorkBegin(-1, t0 + kProgressLineInterval + milliseconds(20));
    progress.Work(-2, t0 + 3 * kProgressLineInterval);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "begin: 200000 bytes announced\n",
                         "work: 65536 / 200000 bytes\n",
                         "begin: 4294967295 bytes announced\n",
                         "work: 4294967294 / 4294967295 bytes\n",
                     }));
}

TEST(FetchToolReport, TheSummaryLineNamesEveryFact) {
    FetchOutcome outcome;
    outcome.encodedUrl = "http://h/a%20b";
    outcome.tries = 1;
    EXPECT_EQ(SummaryLine(outcome, milliseconds(1500)),
              "url=http://h/a%20b status=\"\" framing=none announced=0 bytes=0 whole=no "
              "proxy=direct tls=none time=1.500s tries=1");
    outcome.response.url = "http://h/c";
    outcome.response.statusLine = "HTTP/1.1 200 \"O\\K\"\x1b";
    outcome.response.framing = BodyFraming::Chunked;
    outcome.response.announced = 2048;
    outcome.response.body = std::string(3000, 'x');
    outcome.whole = true;
    outcome.response.proxy = "127.0.0.1:3128";
    outcome.response.tls = "TLSv1.2 AES-256";
    outcome.tries = 3;
    EXPECT_EQ(SummaryLine(outcome, milliseconds(2)),
              "url=http://h/c status=\"HTTP/1.1 200 \\x22O\\x5CK\\x22\\x1B\" framing=chunked "
              "announced=2048 bytes=3000 whole=yes proxy=127.0.0.1:3128 tls=\"TLSv1.2 AES-256\" "
              "time=0.002s tries=3");
    EXPECT_EQ(FramingName(BodyFraming::Length), "length");
    EXPECT_EQ(FramingName(BodyFraming::Close), "close");
}

// A fresh folder standing for drive C:, removed afterwards.
fs::path MakeTempRoot() {
    std::string pattern = (fs::temp_directory_path() / "pellinor-fetch-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

std::string Pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i * 13 + i / 101);
    return s;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One run of the tool on real folders: what it printed and returned.
struct ToolRun {
    int code = -1;
    std::string out, err;
};

class FetchToolRuns : public ::testing::Test {
  protected:
    FetchToolRuns() { fs::create_directories(root / "out"); }
    ~FetchToolRuns() override { fs::remove_all(root); }

    ToolRun Fetch(std::vector<std::string> arguments) {
        ToolRun run;
        FetchSite site{files, [&](const std::string& t) { run.out += t; },
                       [&](const std::string& t) { run.err += t; }, nullptr};
        run.code = RunFetch(arguments, site);
        return run;
    }
    // The summary line, which must be the one line on standard output.
    static std::string Summary(const ToolRun& run) {
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
        return run.out.substr(0, run.out.find('\n'));
    }
    std::vector<std::string> FilesInOut() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root / "out"))
            names.push_back(entry.path().filename().string());
        return names;
    }

    const fs::path root = MakeTempRoot();
    PosixFileSystem files{root.string()};
    const std::string file = "C:\\out\\Tessaron.Exe";
    ScriptedHttpServer server;
};

TEST_F(FetchToolRuns, WholeCutOffMissingAndLoopingAnswers) {
    // Whole: written through the temporary file, which is gone afterwards.
    const std::string body = Pattern(5000);
    server.Enqueue(ScriptedReply(
        HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body));
    const std::string wholeUrl = server.Url("/V9/02/Tessaron.Exe");
    const ToolRun whole = Fetch({wholeUrl, file});
    EXPECT_EQ(whole.code, kFetchWhole) << whole.err;
    EXPECT_EQ(
        Summary(whole).rfind("url=" + wholeUrl +
                                 " status=\"HTTP/1.1 200 OK\" framing=length "
                                 "announced=5000 bytes=5000 whole=yes proxy=direct tls=none time=",
                             0),
        0u)
        << whole.out;
    EXPECT_EQ(whole.err.rfind("begin: 5000 bytes announced\n", 0), 0u) << whole.err;
    EXPECT_EQ(Read(root / "out" / "Tessaron.Exe"), body);
    EXPECT_EQ(FilesInOut(), std::vector<std::string>{"Tessaron.Exe"});
    fs::remove(root / "out" / "Tessaron.Exe");

    // A link at FILE.tmp is replaced, never written through.
    std::ofstream(root / "target") << "kept";
    fs::create_symlink(root / "target", root / "out" / "Tessaron.Exe.tmp");
    server.Enqueue(ScriptedReply(
        HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body));
    EXPECT_EQ(Fetch({wholeUrl, file}).code, kFetchWhole);
    EXPECT_EQ(Read(root / "target"), "kept");
    EXPECT_EQ(Read(root / "out" / "Tessaron.Exe"), body);
    fs::remove(root / "out" / "Tessaron.Exe");

    // Cut off before the announced length: not whole, nothing written.
    server.Enqueue(
        ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 5000"}) + body.substr(0, 3000),
                      AfterReply::Close));
    const ToolRun cut = Fetch({server.Url("/cut/Tessaron.Exe"), file});
    EXPECT_EQ(cut.code, kFetchNotWhole) << cut.err;
    EXPECT_NE(Summary(cut).find(" framing=length announced=5000 bytes=3000 whole=no "),
              std::string::npos)
        << cut.out;
    EXPECT_TRUE(FilesInOut().empty());

    // Missing: the box's text exactly, with the encoded address and FILE.
    server.Enqueue(
        ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 9"}) + "not found"));
    const std::string missingUrl = server.Url("/my dir/Tessaron.Exe");
    const std::string encoded = server.Url("/my%20dir/Tessaron.Exe");
    const ToolRun missing = Fetch({missingUrl, file});
    EXPECT_EQ(missing.code, kFetchFailed);
    EXPECT_NE(missing.err.find("HTTP/1.1 404 Not Found\n\n" + encoded + "\n" + file + "\n"),
              std::string::npos)
        << missing.err;
    EXPECT_EQ(Summary(missing).rfind("url=" + encoded +
                                         " status=\"HTTP/1.1 404 Not Found\" "
                                         "framing=none announced=0 bytes=0 whole=no ",
                                     0),
              0u)
        << missing.out;
    EXPECT_TRUE(FilesInOut().empty());

    // A redirect loop: the client's limit of requests, then nothing.
    server.SetHandler([](const std::string&) {
        return ScriptedReply(
            HttpHead("HTTP/1.1 302 Found", {"Location: /again", "Content-Length: 0"}));
    });
    const size_t before = server.Requests().size();
    const ToolRun loop = Fetch({server.Url("/loop"), file});
    EXPECT_EQ(loop.code, kFetchNotWhole) << loop.err;
    EXPECT_EQ(server.Requests().size() - before, 15u);
    EXPECT_EQ(
        Summary(loop).rfind(
            "url=" + server.Url("/again") + " status=\"HTTP/1.1 302 Found\" framing=none ", 0),
        0u)
        << loop.out;
    EXPECT_TRUE(FilesInOut().empty());

    // Without FILE a whole body is only reported; a bad command line is 3.
    server.SetHandler(nullptr);
    server.Enqueue(ScriptedReply(
        HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body));
    EXPECT_EQ(Fetch({wholeUrl}).code, kFetchWhole);
    EXPECT_TRUE(FilesInOut().empty());
    const ToolRun noProtocol = Fetch({"127.0.0.1/Tessaron.Exe", file});
    EXPECT_EQ(noProtocol.code, kFetchUsage);
    EXPECT_NE(noProtocol.err.find("Protocol field is empty"), std::string::npos);
    EXPECT_EQ(Fetch({}).code, kFetchUsage);
}

TEST_F(FetchToolRuns, WithLogEveryResponseAndTheOutcomeGoToStandardError) {
    const std::string body = Pattern(3000);
    server.SetHandler([body](const std::string& request) {
        if (RequestTarget(request) == "/old")
            return ScriptedReply(HttpHead("HTTP/1.1 302 Found",
                                          {"Location: /new/Tessaron.Exe", "Content-Length: 5"}) +
                                 "moved");
        return ScriptedReply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body);
    });
    // The password typed into an address never reaches the log.
    const std::string typed = "http://alice:s3cret@" + server.Url("/old").substr(7);
    const ToolRun logged = Fetch({"--log", typed, file});
    EXPECT_EQ(logged.code, kFetchWhole) << logged.err;
    const std::string lines[] = {
        " download begins url=" + server.Url("/old") + "\n",
        " response url=" + server.Url("/old") +
            " status=\"HTTP/1.1 302 Found\" framing=length announced=5 received=5 complete=yes "
            "proxy=direct\n",
        " response url=" + server.Url("/new/Tessaron.Exe") +
            " status=\"HTTP/1.1 200 OK\" framing=length announced=3000 received=3000 "
            "complete=yes proxy=direct\n",
        " download url=" + server.Url("/new/Tessaron.Exe") +
            " status=\"HTTP/1.1 200 OK\" framing=length announced=3000 bytes=3000 whole=yes\n",
        " replace \"C:\\out\\Tessaron.Exe.tmp\" -> \"C:\\out\\Tessaron.Exe\" attempts=1 "
        "result=0\n",
    };
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = logged.err.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << "in:\n" << logged.err;
        at = found + line.size();
    }
    EXPECT_EQ(logged.err.find("s3cret"), std::string::npos);
    // Each line begins with its time: "2026-12-07 17:40:13.123 +01:00".
    EXPECT_EQ(logged.err.find(" download begins"), 30u) << logged.err;

    const ToolRun quiet = Fetch({server.Url("/old")});
    EXPECT_EQ(quiet.code, kFetchWhole);
    EXPECT_EQ(quiet.err.find("response url="), std::string::npos) << quiet.err;
    EXPECT_TRUE(ParseFetchArguments({"--log", "http://h/a"}).log);
    EXPECT_FALSE(ParseFetchArguments({"http://h/a"}).log);
}

}  // namespace
}  // namespace pellinor
