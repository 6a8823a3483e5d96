// What the three commands work with: the platform, the one they report to,
// the downloader, the live UI-language flag and the values the window keeps
// for them.
#pragma once

#include <string>
#include <vector>

#include "commands/CommandNotify.h"
#include "commands/FileDownload.h"
#include "system/Platform.h"
#include "system/ShortcutScan.h"

namespace pellinor {

struct CommandSite {
    Platform& platform;
    CommandNotify& notify;
    Downloader& downloader;
    const bool& isChinese;  // read where each command says, so a flip mid-command counts only later
    std::string downloadBase;  // file names are appended to it as they are
    // The installations of the last scan: the user picks among them, so a
    // later click upgrades the one picked instead of scanning again.
    std::vector<Installation>& installations;
};

// BitBtn2: replace the chosen installation's Tessaron.Exe by the newest one.
void UpgradeInstalledProgram(CommandSite& site);
// BitBtn1: download the newest setup program and start it.
void InstallNewestVersion(CommandSite& site);
// BitBtn3: download the SDK archive to the desktop and open it.
void DownloadSdk(CommandSite& site);

}  // namespace pellinor
