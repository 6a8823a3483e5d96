// The SDK download: the archive of the lock's programming interface goes to
// the desktop and is opened with the program the system associates with it.
#include "commands/CommandSite.h"
#include "system/Delay.h"
#include "system/ShellFolder.h"
#include "text/TextRules.h"
#include "transfer/DownloadBase.h"
#include "window/Messages.h"

namespace pellinor {

void DownloadSdk(CommandSite& site) {
    Platform& platform = site.platform;
    Window& window = platform.window;

    window.SetVisible(Control::Image2, false);
    const ChangingFiles changing(platform.commandLock);
    if (!MayChangeFiles(changing, window, site.isChinese)) return;
    DisableCommandButtons(window);

    const std::string dir = Trim(GetShellFolder(platform.registry, "desktop")) + "\\";
    const bool chinese = site.isChinese;
    // A fixed address: the base typed in the hidden mode is not used here.
    const std::string url = DefaultServerRoot() + (chinese ? "/Q38.rar" : "/Q38_Eng.rar");
    const std::string temp = dir + "R7.35" + (chinese ? "Q38.tmp" : "Q38_Eng.tmp");
    const std::string target = dir + "R7.35" + (chinese ? "接口函数.rar" : "_SDK.rar");

    platform.files.Remove(temp);
    Delay(window, platform.system, kEndedProgramGraceMs);
    platform.files.Remove(target);

    if (!DownloadIntoPlace(site, url, temp, target, Payload::Any, "E0059")) return;
    platform.shell.Open(target);
    window.Terminate();
}

}  // namespace pellinor
