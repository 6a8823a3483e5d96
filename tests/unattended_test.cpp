// The upgrade without a window, through its listener: what it answers in the
// window's place, and the exit code for each way the upgrade can end.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "text/TextRules.h"
#include "unattended/CallbackPump.h"
#include "unattended/UnattendedNotify.h"

namespace pellinor {
namespace {

StepResult WriteFailure() {
    StepResult result = Failure(Step::Write);
    result.text = "Cannot create file \"C:\\L\\TessaronEng.tmp\". Access is denied";
    return result;
}

StepResult Refused() {
    StepResult result = Failure(Step::Check);
    result.refusal = Refusal{TextId::N9085, "", ""};
    return result;
}

TEST(Unattended, EachWayTheUpgradeEndsHasItsExitCode) {
    const std::vector<Installation> one{{"C:\\Lock\\", true}};
    const std::vector<Installation> two{{"C:\\Lock\\", true}, {"D:\\Lock\\", false}};
    const struct {
        const char* what;
        std::vector<Installation> found;
        const char* named;
        std::optional<StepResult> failed;  // what Failed is told, if anything
        bool upgraded, finished;
        ExitCode code;
    } rows[] = {
        {"put in place, then ended", one, "", std::nullopt, true, true, ExitCode::Upgraded},
        {"put in place, never ended", one, "", std::nullopt, true, false, ExitCode::Unexpected},
        {"ended, never put in place", one, "", std::nullopt, false, true, ExitCode::Unexpected},
        {"nothing said", one, "", std::nullopt, false, false, ExitCode::Unexpected},
        {"the named one of two", two, "d:\\lock\\", std::nullopt, true, true, ExitCode::Upgraded},
        {"none found", {}, "", std::nullopt, false, false, ExitCode::NothingFound},
        {"the named one not found", one, "D:\\Lock\\", std::nullopt, false, false,
         ExitCode::NothingFound},
        {"two and none named", two, "", std::nullopt, false, false, ExitCode::SeveralFound},
        {"another copy changes files", one, "", Failure(Step::AnotherCopy), false, false,
         ExitCode::AlreadyRunning},
        {"the server's error", one, "", DownloadFailure(true, "HTTP/1.1 404 Not Found"), false,
         false, ExitCode::DownloadFailed},
        {"not whole", one, "", DownloadFailure(false, ""), false, false, ExitCode::DownloadFailed},
        {"a page instead of a program", one, "", Failure(Step::NotProgram), false, false,
         ExitCode::DownloadFailed},
        {"refused by a check", one, "", Refused(), false, false, ExitCode::Refused},
        {"the temporary file not made", one, "", WriteFailure(), false, false,
         ExitCode::ReplaceFailed},
        {"the program held", one, "", ReplaceFailure(32), false, false, ExitCode::ReplaceFailed},
        {"the program not holding the download", one, "", Failure(Step::Verify), false, false,
         ExitCode::ReplaceFailed},
        {"stopped, which nobody can", one, "", Failure(Step::Stopped), false, false,
         ExitCode::Unexpected},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        UnattendedNotify notify(row.named, false);
        notify.Begun();
        const std::optional<Installation> chosen = notify.Choose(row.found);
        const bool choiceEnds =
            row.code == ExitCode::NothingFound || row.code == ExitCode::SeveralFound;
        EXPECT_EQ(chosen.has_value(), !choiceEnds);
        if (chosen) {
            EXPECT_TRUE(SameTextAscii(chosen->folder, row.named[0] ? row.named : "C:\\Lock\\"));
            // The command line chose the folder: every question is answered yes.
            for (Question q : {Question::Upgrade, Question::X86Folder, Question::Install})
                EXPECT_TRUE(notify.Confirm(q, chosen->folder));
            if (row.failed) notify.Failed("E0056", *row.failed, chosen->folder);
            if (row.upgraded) notify.Upgraded(chosen->folder);
            if (row.finished) notify.Finished();
        }
        EXPECT_EQ(notify.Outcome(), row.code);
        if (row.failed) {
            EXPECT_EQ(ExitCodeOf(*row.failed), row.code);
        }
    }
}

TEST(Unattended, ThePumpWithoutAWindowRunsWhatItWasGiven) {
    int pumps = 0;
    uint32_t waited = 0;
    CallbackPump pump([&] { ++pumps; }, [&](uint32_t ms) { waited += ms; });
    pump.ProcessMessages();
    pump.WaitForMessage(1000);
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(waited, 1000u);
    CallbackPump none(nullptr, nullptr);
    EXPECT_NO_THROW(none.ProcessMessages());
    EXPECT_NO_THROW(none.WaitForMessage(1));
}

}  // namespace
}  // namespace pellinor
