// What the three commands work with: the platform, the one they report to
// (which also says the language of the moment), the downloader, the values
// the window keeps for them and the publisher keys built in.
#pragma once

#include <string>
#include <vector>

#include "commands/CommandNotify.h"
#include "commands/FileDownload.h"
#include "commands/PublisherKeys.h"
#include "system/Platform.h"
#include "system/ShortcutScan.h"

namespace pellinor {

struct CommandSite {
    Platform& platform;
    CommandNotify& notify;
    Downloader& downloader;
    std::string downloadBase;  // file names are appended to it as they are
    // The installations the last scan found, as the window lists them: the
    // user picks among them, so a later click upgrades the one picked
    // instead of scanning again. Empty: the upgrade scans.
    std::vector<Installation> installations;
    // The publisher's keys this build carries: when there are any, nothing
    // is started, opened or put in place unless one of them signed it.
    const PublisherKeys& publisherKeys;
};

// BitBtn2: replace the chosen installation's Tessaron.Exe by the newest one.
void UpgradeInstalledProgram(CommandSite& site);
// BitBtn1: download the newest setup program and start it.
void InstallNewestVersion(CommandSite& site);
// BitBtn3: download the SDK archive to the desktop and open it.
void DownloadSdk(CommandSite& site);

}  // namespace pellinor
