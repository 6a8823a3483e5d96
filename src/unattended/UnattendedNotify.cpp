// The upgrade's outcome without a window.
#include "unattended/UnattendedNotify.h"

#include "log/LogEvent.h"
#include "unattended/Choice.h"

namespace pellinor {

ExitCode ExitCodeOf(const StepResult& result) {
    switch (result.step) {
        case Step::Done:
            return ExitCode::Upgraded;
        case Step::AnotherCopy:
            return ExitCode::AlreadyRunning;
        case Step::Download:
            return result.keptBytes > 0 ? ExitCode::PartKept : ExitCode::DownloadFailed;
        case Step::NotProgram:
            return ExitCode::DownloadFailed;
        case Step::Check:
            return ExitCode::Refused;
        case Step::Write:
        case Step::Replace:
        case Step::Verify:
            return ExitCode::ReplaceFailed;
        case Step::Stopped:
            break;  // only a close box stops a download, and there is none
    }
    return ExitCode::Unexpected;
}

ExitCode UnattendedNotify::Outcome() const {
    if (!outcome_) return ExitCode::Unexpected;
    // Success only with the command's own end after it.
    if (*outcome_ == ExitCode::Upgraded && !finished_) return ExitCode::Unexpected;
    return *outcome_;
}

bool UnattendedNotify::Confirm(Question, const std::string&) {
    // The command line chose the folder: the confirmation and the warning
    // about an "x86" folder are answered yes.
    return true;
}

std::optional<Installation> UnattendedNotify::Choose(const std::vector<Installation>& found) {
    const InstallationChoice choice = ChooseInstallation(found, named_);
    if (choice.ended) {
        // Nothing is changed: the window would have stopped at a box here too.
        LogEvent("none to take");
        outcome_ = *choice.ended;
        return std::nullopt;
    }
    return found[static_cast<size_t>(choice.index)];
}

void UnattendedNotify::Failed(const std::string& noticeCode, const StepResult& result,
                              const std::string&) {
    std::string line = std::string("failed at step ") + StepName(result.step);
    if (NoticeNumber(result) != 0) line += ": " + NoticeText(noticeCode, result);
    if (!result.text.empty()) line += ": " + Quoted(result.text);
    LogEvent(line);
    outcome_ = ExitCodeOf(result);
}

void UnattendedNotify::Upgraded(const std::string&) {
    outcome_ = ExitCode::Upgraded;
}

bool UnattendedNotify::AskProxyCredentials(const std::string&, ProxyCredentials&) {
    LogEvent("proxy sign-in asked: nobody to answer it, declined");
    return false;
}

}  // namespace pellinor
