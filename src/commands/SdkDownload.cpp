// The SDK download: the archive of the lock's programming interface goes to
// the desktop and is opened with the program the system associates with it.
#include "commands/CommandPlan.h"
#include "system/ShellFolder.h"
#include "text/TextRules.h"
#include "transfer/DownloadBase.h"

namespace pellinor {

void DownloadSdk(CommandSite& site) {
    site.notify.Begun();
    const std::string dir = Trim(GetShellFolder(site.platform.registry, "desktop")) + "\\";
    const bool chinese = site.notify.ChineseNow();
    CommandPlan plan;
    // A fixed address: the base typed in the hidden mode is not used here.
    plan.url = DefaultServerRoot() + (chinese ? "/Q38.rar" : "/Q38_Eng.rar");
    plan.temp = dir + "R7.35" + (chinese ? "Q38.tmp" : "Q38_Eng.tmp");
    plan.target = dir + "R7.35" + (chinese ? "接口函数.rar" : "_SDK.rar");
    plan.noticeCode = "E0059";
    plan.removeTarget = true;
    // An archive cannot carry a signature inside.
    plan.signature = Signed::Beside;
    RunPlan(site, plan);
}

}  // namespace pellinor
