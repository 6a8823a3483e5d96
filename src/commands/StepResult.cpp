// The numbers and names of a command's steps.
#include "commands/StepResult.h"

#include "platform/FileSystem.h"
#include "transfer/Download.h"

namespace pellinor {

StepResult Failure(Step step) {
    StepResult result;
    result.step = step;
    return result;
}

StepResult DownloadFailure(bool clientError, const std::string& text) {
    StepResult result = Failure(Step::Download);
    result.clientError = clientError;
    result.text = text;
    return result;
}

StepResult ReplaceFailure(uint32_t systemError) {
    StepResult result = Failure(Step::Replace);
    result.systemError = systemError;
    return result;
}

int NoticeNumber(const StepResult& result) {
    switch (result.step) {
        case Step::Done:
        case Step::Stopped:
        case Step::AnotherCopy:
        case Step::Check:
            return 0;
        case Step::Download:
            return result.clientError ? kDownloadFailed : kDownloadIncomplete;
        case Step::Write:
        case Step::NotProgram:
            return kDownloadIncomplete;
        case Step::Replace:
            return -static_cast<int>(result.systemError);
        case Step::Verify:
            return -static_cast<int>(kErrorWriteFault);
    }
    return kDownloadIncomplete;
}

std::string NoticeText(const std::string& noticeCode, const StepResult& result) {
    return "System Error " + noticeCode + ", " + std::to_string(NoticeNumber(result));
}

const char* StepName(Step step) {
    switch (step) {
        case Step::Done:
            return "done";
        case Step::Stopped:
            return "stopped";
        case Step::AnotherCopy:
            return "another copy changes files";
        case Step::Download:
            return "download";
        case Step::Write:
            return "write";
        case Step::NotProgram:
            return "not a program";
        case Step::Check:
            return "check";
        case Step::Replace:
            return "replace";
        case Step::Verify:
            return "verify";
    }
    return "?";
}

}  // namespace pellinor
