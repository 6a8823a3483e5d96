// The exit codes' names for the log.
#include "unattended/ExitCodes.h"

namespace pellinor {

std::string ExitCodeText(ExitCode code) {
    const char* name = "";
    switch (code) {
        case ExitCode::Upgraded:
            name = "upgraded";
            break;
        case ExitCode::NothingFound:
            name = "nothing found";
            break;
        case ExitCode::SeveralFound:
            name = "several found, none named";
            break;
        case ExitCode::DownloadFailed:
            name = "download failed";
            break;
        case ExitCode::Refused:
            name = "refused by the publisher or version check";
            break;
        case ExitCode::ReplaceFailed:
            name = "not put in place";
            break;
        case ExitCode::NothingKept:
            name = "nothing kept for the folder";
            break;
        case ExitCode::KeptRecordDamaged:
            name = "the kept program's record is damaged";
            break;
        case ExitCode::InstalledChanged:
            name = "the installed program changed since the upgrade";
            break;
        case ExitCode::KeptProgramChanged:
            name = "the kept program changed";
            break;
        case ExitCode::PartKept:
            name = "part of the program kept; run again to continue";
            break;
        case ExitCode::Unexpected:
            name = "unexpected failure";
            break;
        case ExitCode::AlreadyRunning:
            name = "another upgrade running";
            break;
        case ExitCode::BadCommandLine:
            name = "bad command line";
            break;
    }
    return std::to_string(static_cast<int>(code)) + " (" + name + ")";
}

}  // namespace pellinor
