// The upgrade: the main command. Finds the installations through the desktop
// shortcuts, lets the user pick and confirm one, ends the running lock
// program, downloads the newest Tessaron.Exe and puts it in place.
#include "commands/CommandPlan.h"
#include "commands/LockProgramNames.h"
#include "log/LogEvent.h"
#include "text/TextRules.h"

namespace pellinor {

namespace {
constexpr const char* kExeName = kLockProgramName;
// What an older updater left beside the program when it could not finish;
// removed so that nobody starts it by mistake.
constexpr const char* kLeftoverName = "Tessaron_New.Exe";
// "X86" from the sixth character on: "C:\Program Files (x86)\" warns, while
// a folder named x86 right below a drive's root ("C:\x86\", "D:\X86\") is
// a folder the hotel made itself and does not.
constexpr size_t kFirstX86Position = 6;

// Under "Program Files (x86)" a 32-bit program may be kept from writing.
bool UnderX86Folder(const std::string& folder) {
    return Pos("X86", UpperAscii(folder)) >= kFirstX86Position;
}

void LogFound(const std::vector<Installation>& found) {
    std::string line = "installations found=" + std::to_string(found.size());
    for (const Installation& i : found) line += " " + Quoted((i.ownDesktop ? " " : "") + i.folder);
    LogEvent(line);
}
}  // namespace

void UpgradeInstalledProgram(CommandSite& site) {
    CommandNotify& notify = site.notify;
    notify.Begun();
    const std::vector<Installation> found =
        site.installations.empty() ? FindInstallations(site.platform) : site.installations;
    LogFound(found);
    // The scan gives the window its turns, and the language may have been
    // switched meanwhile: the upgrade keeps the one it has now to its end.
    const bool chinese = notify.ChineseNow();
    notify.KeepLanguage(chinese);
    const std::optional<Installation> chosen = notify.Choose(found);
    if (!chosen) return;
    const std::string& folder = chosen->folder;

    if (!notify.Confirm(Question::Upgrade, folder)) return;
    if (UnderX86Folder(folder) && !notify.Confirm(Question::X86Folder, folder)) return;
    LogEvent("installation chosen " + Quoted(folder));

    CommandPlan plan;
    plan.url = site.downloadBase + kExeName;
    plan.temp = folder + ReplacementTempName(chinese);
    plan.target = folder + kExeName;
    plan.folder = folder;
    plan.noticeCode = "E0056";
    plan.buttons = ButtonsOff::AllButSdk;
    plan.leftovers = {folder + kLeftoverName};
    plan.programToEnd = kExeName;
    plan.payload = Payload::Executable;
    plan.smaller = Smaller::CompressedOrPatch;
    plan.checkAgainstTarget = true;
    plan.keepReplaced = true;
    // Only Exit after a failure: the lock program has been ended, and the
    // user should leave and start it again rather than try once more blindly.
    plan.onlyExitAfterFailure = true;
    plan.then = Then::SayUpgraded;
    RunPlan(site, plan);
}

}  // namespace pellinor
