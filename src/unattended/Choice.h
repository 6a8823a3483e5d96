// Which installation the upgrade without a window takes: the one found, or
// among several the one the command line names. No one is there to ask.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "system/ShortcutScan.h"
#include "unattended/ExitCodes.h"

namespace pellinor {

struct InstallationChoice {
    std::string folder;             // the installation to upgrade, ending in "\"
    int index = -1;                 // its first place among those found
    std::optional<ExitCode> ended;  // set when the run ends here instead
};

// found: what the scan found; named: the /folder value (ending in "\") or
// empty. Folders are compared without regard to ASCII case, as Windows
// compares names; one folder that shortcuts on two desktops lead to is one
// installation.
InstallationChoice ChooseInstallation(const std::vector<Installation>& found,
                                      const std::string& named);

}  // namespace pellinor
