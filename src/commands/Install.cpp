// Installing the newest version: the setup program is downloaded to the root
// of the first present drive among D, C, E, F, G and started.
#include "commands/CommandPlan.h"
#include "system/ShellFolder.h"
#include "text/TextRules.h"

namespace pellinor {

namespace {
// The setup programs' names on the maker's server, the same in every
// release folder: the product line the window's captions name (R7.35),
// and the English setup's own name beside the Chinese one.
constexpr const char* kChineseSetupName = "R7.35Setup";
constexpr const char* kEnglishSetupName = "R7.35SetupEng";

std::string SetupFolder(Platform& platform) {
    for (const char* drive : {"D:\\", "C:\\", "E:\\", "F:\\", "G:\\"}) {
        if (platform.files.DirectoryExists(drive)) return drive;
    }
    return Trim(GetShellFolder(platform.registry, "desktop")) + "\\";
}
}  // namespace

void InstallNewestVersion(CommandSite& site) {
    site.notify.Begun();
    if (!site.notify.Confirm(Question::Install, "")) return;

    const std::string dir = SetupFolder(site.platform);
    // The language is read after the question: it may have flipped while
    // the box was open.
    const std::string name = site.notify.ChineseNow() ? kChineseSetupName : kEnglishSetupName;
    CommandPlan plan;
    plan.url = site.downloadBase + name + ".exe";
    plan.temp = dir + name + ".tmp";
    plan.target = dir + name + ".exe";
    plan.noticeCode = "E0058";
    plan.programToEnd = name + ".exe";
    // Only the setup program just downloaded may be started: when it cannot
    // take its name, a stale one must not run in its place.
    plan.removeTarget = true;
    plan.payload = Payload::Executable;
    plan.smaller = Smaller::Compressed;
    RunPlan(site, plan);
}

}  // namespace pellinor
