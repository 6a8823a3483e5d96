// How an unattended upgrade or rollback ends, as the number a deployment tool reads.
// Where the installers' convention (the Windows Installer's return codes,
// which deployment tools know) has a number for an outcome, it is used;
// the outcomes it has no number for get numbers of their own from 10 up,
// away from 1 (what a program gives when it fails before it can say why)
// and from the 16xx range of the convention.
#pragma once

#include <string>

namespace pellinor {

enum class ExitCode : int {
    Upgraded = 0,  // ERROR_SUCCESS: the new program is in place
    // No installation found, or /folder named a folder that holds none:
    // ERROR_UNKNOWN_PRODUCT ("This action is only valid for products that
    // are currently installed").
    NothingFound = 1605,
    SeveralFound = 10,    // several installations and no /folder to choose one
    DownloadFailed = 11,  // the download did not come whole (the old program stays)
    Refused = 12,         // the publisher or version check refused the download
    ReplaceFailed = 13,   // the new program could not be written or put in place
    // The rollback's own refusals, from 20 on; each leaves the installation
    // and the kept program as they were.
    NothingKept = 20,         // no program kept for the folder
    KeptRecordDamaged = 21,   // the kept program's record is not one the upgrade wrote
    InstalledChanged = 22,    // the installed program is not the one the upgrade placed
    KeptProgramChanged = 23,  // the kept program is gone or not the recorded one
    // The download did not come whole, but a part of it is kept: run again
    // (a scheduled task, later) and it goes on from there. The old program stays.
    PartKept = 24,
    // Something no other code names (an error escaping the upgrade):
    // ERROR_INSTALL_FAILURE, "Fatal error during installation".
    Unexpected = 1603,
    // Another command of the program changes files on this PC:
    // ERROR_INSTALL_ALREADY_RUNNING, which deployment tools retry later.
    AlreadyRunning = 1618,
    // ERROR_INVALID_COMMAND_LINE: a switch unknown, repeated, without its
    // value, or a value that cannot be right.
    BadCommandLine = 1639,
};

// The code's number and its name, for the log's last line: "0 (upgraded)".
std::string ExitCodeText(ExitCode code);

}  // namespace pellinor
