// Installing the newest version: the setup program is downloaded to the root
// of the first present drive among D, C, E, F, G and started.
#include "commands/CommandSite.h"
#include "system/Delay.h"
#include "system/KillTask.h"
#include "system/ShellFolder.h"
#include "text/TextRules.h"
#include "transfer/DownloadBase.h"
#include "window/Messages.h"
#include "window/WindowDownload.h"

namespace pellinor {

namespace {
std::string SetupFolder(Platform& platform) {
    for (const char* drive : {"D:\\", "C:\\", "E:\\", "F:\\", "G:\\"}) {
        if (platform.files.DirectoryExists(drive)) return drive;
    }
    return Trim(GetShellFolder(platform.registry, "desktop")) + "\\";
}
}  // namespace

void InstallNewestVersion(CommandSite& site) {
    Platform& platform = site.platform;
    Window& window = platform.window;

    window.SetVisible(Control::Image2, false);
    if (ShowBox(window, TextId::N9078, site.isChinese) == kAnswerCancel) return;
    const ChangingFiles changing(platform.commandLock);
    if (!MayChangeFiles(changing, window, site.isChinese)) return;
    DisableCommandButtons(window);

    const std::string dir = SetupFolder(platform);
    FillBlankDownloadBase(window);

    // The language is read again here: it may have flipped while the box was open.
    const std::string name = site.isChinese ? "R7.35Setup" : "R7.35SetupEng";
    const std::string url = window.Text(Control::Edit1) + name + ".exe";
    const std::string temp = dir + name + ".tmp";
    const std::string target = dir + name + ".exe";

    platform.files.Remove(temp);
    KillTask(platform.processes, name + ".exe");
    Delay(window, platform.system, kEndedProgramGraceMs);
    platform.files.Remove(target);

    // Only the setup program just downloaded may be started: when it cannot
    // take its name, a stale one must not run in its place.
    if (!DownloadIntoPlace(site, url, temp, target, Payload::Executable, "E0058")) return;
    platform.shell.Open(target);
    window.Terminate();
}

}  // namespace pellinor
