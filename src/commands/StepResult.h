// How a command's download ended: the step it stopped at, with what that
// step knows, so the window, the upgrade without a window and the log all
// read one value instead of decoding numbers or boxes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "commands/DownloadCheck.h"

namespace pellinor {

enum class Step {
    Done,         // the new file is in its place
    Stopped,      // the user stopped the download to close the program
    AnotherCopy,  // another copy of the program is changing files: nothing was changed
    Download,     // the reply did not bring the whole file
    Write,        // the temporary file could not be made or written
    NotProgram,   // an executable was expected and something else came
    Check,        // the publisher or version check refused the download
    Replace,      // the download could not take the target's place
    Verify,       // the target does not hold the download afterwards
};

struct StepResult {
    Step step = Step::Done;
    // Download: the client raised an error (a box says which); otherwise
    // the body came cut, or not at all.
    bool clientError = false;
    // Download with a client error, and Write: the text the user is shown.
    std::string text;
    // Replace: the system's code of the last attempt.
    uint32_t systemError = 0;
    // Check: why, for its box.
    std::optional<Refusal> refusal;
    // Download: the bytes of the file kept for the next run to go on from.
    uint64_t keptBytes = 0;

    bool Ok() const { return step == Step::Done; }
};

StepResult Failure(Step step);
StepResult DownloadFailure(bool clientError, const std::string& text);
StepResult ReplaceFailure(uint32_t systemError);

// The number a failure notice shows, as users and support have always
// read it: -59 for a download the client gave up, -1 for one that came cut
// or was no program, the negated system code for a replacement; a target
// that does not hold its download is a write fault. 0 for no failure.
int NoticeNumber(const StepResult& result);

// "System Error E0056, -5": the notice of a command (its code) that failed.
std::string NoticeText(const std::string& noticeCode, const StepResult& result);

// The step's name for the log.
const char* StepName(Step step);

}  // namespace pellinor
