// The upgrade without a window (Pellinor.exe /upgrade): the window's own
// upgrade command, with the installation and the download base from the
// command line, ending in an exit code.
#pragma once

#include "commands/PublisherKeys.h"
#include "platform/ProxyConfig.h"
#include "system/Platform.h"
#include "unattended/CommandLine.h"
#include "unattended/ExitCodes.h"

namespace pellinor {

// Scans the desktops as the window does, takes the installation (see
// ChooseInstallation) and upgrades it through the proxies the user's
// settings choose; nobody is there to sign in to one. The download is held
// to publisherKeys as the window's is.
ExitCode RunUnattendedUpgrade(Platform& platform, ProxyConfig& proxies,
                              const PublisherKeys& publisherKeys, const CommandLine& request);

// Writes the log's last line, "exit 0 (upgraded)", and gives the number.
int EndWith(ExitCode code);

}  // namespace pellinor
