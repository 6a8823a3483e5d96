// The upgrade without a window (Pellinor.exe /upgrade): the window's own
// upgrade, run on the window's stand-in, with the installation and the
// download base from the command line, ending in an exit code.
#pragma once

#include <vector>

#include "Unit1.h"
#include "unattended/CommandLine.h"
#include "unattended/ExitCodes.h"
#include "unattended/UnattendedWindow.h"

namespace pellinor {

// The exit code for the boxes the window's upgrade would have shown, in
// their order: the success box, a refusal, the download's error box, the
// failure notice with its code, the application's error report.
ExitCode OutcomeOfBoxes(const std::vector<WithheldBox>& boxes);

// Scans the desktops as the window does, takes the installation (see
// ChooseInstallation), sets the base and runs the window's upgrade handler
// on form, made on platform, whose window is window.
ExitCode RunUnattendedUpgrade(TForm1& form, Platform& platform, UnattendedWindow& window,
                              const CommandLine& request);

// Writes the log's last line, "exit 0 (upgraded)", and gives the number.
int EndWith(ExitCode code);

}  // namespace pellinor
