// What one run of the real Pellinor.exe could not finish, the next one
// finishes: /upgrade over a line that drops at half and then refuses every
// connection ends with its own code and keeps the half; the next run asks
// only for the rest and puts the exact program in place.
#include <cstdio>
#include <memory>
#include <thread>

#include "UnattendedRun.h"
#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

// A program of a few MiB, so that the half is partly in the scratch file.
constexpr size_t kPadding = size_t{3} << 20;
const std::string kValidator = "\"7.35.9\"";

class KeptPartTest : public UpgradeScenario {
  protected:
    UnattendedRun Upgrade(const std::string& base) {
        ClearLog();
        return WaitForRun(StartProgram(UiDriver::DefaultExePath(), {"/upgrade", "/base", base}));
    }
    // Serves the new program by ranges; the line drops at half, and goes
    // down altogether once that has gone: the run's own resumes (after its
    // pause) find nothing listening. Join the thread after the run.
    std::thread LineDownAfterHalf() {
        const auto body = std::make_shared<const std::string>(newBytes_);
        server_.SetHandler([body](const std::string& request) {
            return RangeReply(request, body, Fields(), body->size() / 2);
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
    static std::vector<std::string> Fields() {
        return {"ETag: " + kValidator, "Accept-Ranges: bytes"};
    }
    // The line back on the same port, serving the whole program by ranges;
    // the next run's first request asks for the rest from kept.
    void ExpectTheNextRunGoesOnFrom(uint16_t port, size_t kept) {
        const auto body = std::make_shared<const std::string>(newBytes_);
        ScriptedHttpServer line(port);
        line.SetHandler(
            [body](const std::string& request) { return RangeReply(request, body, Fields()); });
        const UnattendedRun second = Upgrade(line.Url("/V9/02/"));
        ASSERT_TRUE(second.ended);
        EXPECT_EQ(second.exitCode, 0u) << second.Describe();
        const std::vector<std::string> requests = line.Requests();
        ASSERT_FALSE(requests.empty());
        EXPECT_NE(requests[0].find("\r\nRange: bytes=" + std::to_string(kept) +
                                   "-\r\nIf-Range: " + kValidator + "\r\n"),
                  std::string::npos)
            << requests[0];
        EXPECT_TRUE(second.Logged("no part kept: the file arrived whole")) << second.Describe();
        line.SetHandler(nullptr);
        std::printf("%s\n", second.Describe().c_str());
    }
};

TEST_F(KeptPartTest, ALineDownAfterHalfEndsWithItsCodeAndTheNextRunGoesOn) {
    const std::string folder = Install("Lock");
    newBytes_ = WithVersionTrailer(program_ + std::string(kPadding, '\x5a'), "7.35.9 large");
    const uint16_t port = server_.Port();
    std::thread down = LineDownAfterHalf();
    const UnattendedRun first = Upgrade(server_.Url("/V9/02/"));
    down.join();
    ASSERT_TRUE(first.ended);
    EXPECT_EQ(first.exitCode, 24u) << first.Describe();
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
    // How much is kept, as the log says it: the next run asks from there.
    const size_t kept = KeptSaid(first.log);
    ASSERT_GT(kept, 0u) << first.Describe();
    EXPECT_NE(first.log.back().find("exit 24"), std::string::npos) << first.Describe();
    std::printf("%s\n", first.Describe().c_str());
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

// Ended by force once the first piece of the body is on disk (the task
// manager, a power cut): what was written and counted is taken up by the
// next run, and the program is exact.
TEST_F(KeptPartTest, AKillInTheMiddleOfTheBodyLeavesWhatTheNextRunGoesOnFrom) {
    const std::string folder = Install("Lock");
    newBytes_ = WithVersionTrailer(program_ + std::string(kPadding, '\x5a'), "7.35.9 large");
    const auto body = std::make_shared<const std::string>(newBytes_);
    const std::vector<std::string> fields = Fields();
    // The first answer stops after three quarters and leaves the line open.
    auto first = std::make_shared<bool>(true);
    server_.SetHandler([body, fields, first](const std::string& request) {
        const bool stall = *first;
        *first = false;
        return stall ? RangeReply(request, body, fields, body->size() * 3 / 4, AfterReply::Hang)
                     : RangeReply(request, body, fields);
    });
    const std::string base = server_.Url("/V9/02/");
    const std::string parts = LogPath().substr(0, LogPath().rfind('\\')) + "\\parts\\";
    ChildProcess& killed = StartProgram(UiDriver::DefaultExePath(), {"/upgrade", "/base", base});
    ASSERT_TRUE(WaitUntil(
        [&] {
            WIN32_FIND_DATAW found{};
            const HANDLE find = ::FindFirstFileW(Widen(parts + "*.record").c_str(), &found);
            if (find == INVALID_HANDLE_VALUE) return false;
            ::FindClose(find);
            return true;
        },
        kRunLimitMs));
    killed.Terminate();
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);

    const UnattendedRun next = Upgrade(base);
    ASSERT_TRUE(next.ended);
    EXPECT_EQ(next.exitCode, 0u) << next.Describe();
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == newBytes_) << "not the exact program";
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    const size_t at = requests[1].find("\r\nRange: bytes=");
    ASSERT_NE(at, std::string::npos) << requests[1];
    EXPECT_GT(std::stoul(requests[1].substr(at + 15)), 0u) << requests[1];
    EXPECT_NE(requests[1].find("\r\nIf-Range: " + kValidator + "\r\n"), std::string::npos);
    server_.SetHandler(nullptr);
}

}  // namespace
}  // namespace pellinor::e2e
