// Pellinor.exe /rollback: the program an upgrade replaced put back, for
// support and deployment tools; no window, no box, an exit code.
#pragma once

#include "commands/PublisherKeys.h"
#include "commands/Rollback.h"
#include "system/Platform.h"
#include "unattended/CommandLine.h"
#include "unattended/ExitCodes.h"

namespace pellinor {

// The exit code of each way a rollback ends.
ExitCode ExitCodeOf(const RollbackResult& result);

// Scans the desktops as the upgrade does, takes the installation as
// /upgrade takes it (see ChooseInstallation) and puts its kept program back.
ExitCode RunUnattendedRollback(Platform& platform, const PublisherKeys& publisherKeys,
                               const CommandLine& request);

// Writes the log's last line, "exit 0 (put back)" or the refusal's as
// EndWith writes it, and gives the number.
int EndRollbackWith(ExitCode code);

}  // namespace pellinor
