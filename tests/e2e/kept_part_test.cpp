// What one run of the real Pellinor.exe could not finish, the next one
// finishes: /upgrade over a line that drops at half and then refuses every
// connection ends with its own code and keeps the half; the next run asks
// only for the rest and puts the exact program in place.
#include <algorithm>
#include <memory>
#include <thread>

#include "UnattendedRun.h"
#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

// A program of a few MiB, so that the half is partly in the scratch file.
constexpr size_t kPadding = size_t{3} << 20;
const std::string kValidator = "\"7.35.9\"";
const std::vector<std::string> kFields{"ETag: " + kValidator, "Accept-Ranges: bytes"};

class KeptPartTest : public UpgradeScenario {
  protected:
    UnattendedRun Upgrade(const std::string& base) {
        ClearLog();
        return WaitForRun(StartProgram(UiDriver::DefaultExePath(), {"/upgrade", "/base", base}));
    }
    // The patch and the compressed file are not published: a 404 each.
    static bool Packed(const std::string& request) {
        const std::string target = RequestTarget(request);
        return target.size() > 4 && target.compare(target.size() - 4, 4, ".zst") == 0;
    }
    static ScriptedReply NotPublished() {
        return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
    }
    // Serves the new program by ranges; the line drops at half, and goes
    // down altogether once that has gone: the run's own resumes (after its
    // pause) find nothing listening. Join the thread after the run.
    std::thread LineDownAfterHalf() {
        const auto body = std::make_shared<const std::string>(newBytes_);
        server_.SetHandler([body](const std::string& request) {
            if (Packed(request)) return NotPublished();
            return RangeReply(request, body, kFields, body->size() / 2);
        });
        return std::thread([this] {
            WaitUntil([this] { return !server_.Requests().empty(); }, kRunLimitMs);
            std::this_thread::sleep_for(std::chrono::milliseconds(1000));
            server_.Stop();
        });
    }
    // The bytes the log says a run kept; 0 when it kept none.
    static size_t KeptSaid(const std::vector<std::string>& log) {
        const std::string said = "part kept for the next run: ";
        size_t kept = 0;
        for (const std::string& line : log) {
            const size_t at = line.find(said);
            if (at != std::string::npos) kept = std::stoul(line.substr(at + said.size()));
        }
        return kept;
    }
    // The line back on the same port, serving the whole program by ranges;
    // the next run's first request asks for the rest from kept.
    void ExpectTheNextRunGoesOnFrom(uint16_t port, size_t kept) {
        const auto body = std::make_shared<const std::string>(newBytes_);
        ScriptedHttpServer line(port);
        line.SetHandler([body](const std::string& request) {
            return Packed(request) ? NotPublished() : RangeReply(request, body, kFields);
        });
        const UnattendedRun second = Upgrade(line.Url("/V9/02/"));
        EXPECT_EQ(second.exitCode, 0u) << second.Describe();
        std::vector<std::string> requests = line.Requests();
        requests.erase(std::remove_if(requests.begin(), requests.end(), Packed), requests.end());
        ASSERT_FALSE(requests.empty());
        EXPECT_NE(requests[0].find("\r\nRange: bytes=" + std::to_string(kept) +
                                   "-\r\nIf-Range: " + kValidator + "\r\n"),
                  std::string::npos)
            << requests[0];
        EXPECT_TRUE(second.Logged("no part kept: the file arrived whole")) << second.Describe();
    }
};

TEST_F(KeptPartTest, ALineDownAfterHalfEndsWithItsCodeAndTheNextRunGoesOn) {
    const std::string folder = Install("Lock");
    newBytes_ = WithVersionTrailer(program_ + std::string(kPadding, '\x5a'), "7.35.9 large");
    const uint16_t port = server_.Port();
    std::thread down = LineDownAfterHalf();
    const UnattendedRun first = Upgrade(server_.Url("/V9/02/"));
    down.join();
    EXPECT_EQ(first.exitCode, 24u) << first.Describe();
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
    // How much is kept, as the log says it: the next run asks from there.
    const size_t kept = KeptSaid(first.log);
    ASSERT_GT(kept, 0u) << first.Describe();
    EXPECT_NE(first.log.back().find("exit 24"), std::string::npos) << first.Describe();
    ExpectTheNextRunGoesOnFrom(port, kept);
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == newBytes_) << "not the exact program";
}

// The window's upgrade over the same line: the failure box it always
// showed, and the half kept for the next run.
TEST_F(KeptPartTest, TheWindowShowsItsBoxAndKeepsTheHalf) {
    const std::string folder = Install("Lock");
    newBytes_ = WithVersionTrailer(program_ + std::string(kPadding, '\x5a'), "7.35.9 large");
    const uint16_t port = server_.Port();
    std::thread down = LineDownAfterHalf();
    ClearLog();
    UiDriver& ui = Start();
    const UpgradeOutcome outcome = RunUpgrade(ui);
    down.join();
    EXPECT_EQ(outcome.Captions(), (std::vector<std::string>{"E0059", "Pellinor"}))
        << outcome.Describe();
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    ui.Click(Control::cmdExit);
    EXPECT_TRUE(ui.WaitForExit(5000));
    const size_t kept = KeptSaid(Lines(ReadBytes(LogPath())));
    ASSERT_GT(kept, 0u);
    ExpectTheNextRunGoesOnFrom(port, kept);
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == newBytes_) << "not the exact program";
}

// Ended by force once a piece of the body is on disk (the task manager, a
// power cut): what its record counts is taken up by the next run.
TEST_F(KeptPartTest, AKillInTheMiddleOfTheBodyLeavesWhatTheNextRunGoesOnFrom) {
    const std::string folder = Install("Lock");
    newBytes_ = WithVersionTrailer(program_ + std::string(kPadding, '\x5a'), "7.35.9 large");
    const auto body = std::make_shared<const std::string>(newBytes_);
    // Three quarters, then the line stays open and silent.
    server_.SetHandler([body](const std::string& request) {
        if (Packed(request)) return NotPublished();
        return RangeReply(request, body, kFields, body->size() * 3 / 4, AfterReply::Hang);
    });
    const std::string parts = LogPath().substr(0, LogPath().rfind('\\')) + "\\parts\\";
    WIN32_FIND_DATAW record{};
    const auto recorded = [&] {
        const HANDLE find = ::FindFirstFileW(Widen(parts + "*.record").c_str(), &record);
        return find != INVALID_HANDLE_VALUE && ::FindClose(find);
    };
    const uint16_t port = server_.Port();
    ChildProcess& killed =
        StartProgram(UiDriver::DefaultExePath(), {"/upgrade", "/base", server_.Url("/V9/02/")});
    ASSERT_TRUE(WaitUntil(recorded, kRunLimitMs));
    killed.Terminate();
    server_.Stop();
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    // The record as the kill left it: the next run trusts what it counts.
    const std::string text = ReadBytes(parts + Narrow(record.cFileName));
    ASSERT_NE(text.find("\r\nheld="), std::string::npos) << text;
    ExpectTheNextRunGoesOnFrom(port, std::stoul(text.substr(text.find("\r\nheld=") + 7)));
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == newBytes_) << "not the exact program";
}

}  // namespace
}  // namespace pellinor::e2e
