// The upgrade: the main command. Finds the installations through the desktop
// shortcuts, lets the user pick and confirm one, ends the running lock
// program, downloads the newest Tessaron.Exe and puts it in place.
#include "commands/CommandSite.h"
#include "commands/DownloadCheck.h"
#include "log/LogEvent.h"
#include "system/Delay.h"
#include "system/KillTask.h"
#include "text/TextRules.h"
#include "transfer/DownloadBase.h"
#include "window/Messages.h"
#include "window/WindowDownload.h"

namespace pellinor {

namespace {
constexpr const char* kExeName = "Tessaron.Exe";
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
}  // namespace

void UpgradeInstalledProgram(CommandSite& site) {
    Platform& platform = site.platform;
    Window& window = platform.window;

    window.SetVisible(Control::Image2, false);
    if (window.ListCount() == 0) site.scanDesktops();
    const bool chinese = site.isChinese;
    std::string found = "installations found=" + std::to_string(window.ListCount());
    for (int i = 0; i < window.ListCount(); ++i) found += " " + Quoted(window.ListItem(i));
    LogEvent(found);

    if (window.ListCount() == 0) {
        ShowBox(window, TextId::N9081, chinese, "", 0);
        return;
    }
    window.SetVisible(Control::Label2, true);
    window.SetVisible(Control::ListBox2, true);
    if (window.ListCount() > 1 && window.ListSelectedIndex() < 0) {
        ShowBox(window, TextId::N9080, chinese, "", window.ListCount());
        return;
    }
    if (window.ListCount() == 1) window.ListSelect(0);
    const std::string folder = Trim(window.ListItem(window.ListSelectedIndex()));

    if (ShowBox(window, TextId::N9079, chinese, folder) == kAnswerCancel) return;
    if (UnderX86Folder(folder) && ShowBox(window, TextId::N9077, chinese) == kAnswerCancel) return;
    LogEvent("installation chosen " + Quoted(folder));
    const ChangingFiles changing(platform.commandLock);
    if (!MayChangeFiles(changing, window, chinese)) return;

    window.SetEnabled(Control::BitBtn1, false);
    window.SetEnabled(Control::BitBtn2, false);
    window.SetEnabled(Control::cmdExit, false);
    FillBlankDownloadBase(window);

    const std::string url = window.Text(Control::Edit1) + kExeName;
    const std::string temp = folder + (chinese ? "Tessaron.tmp" : "TessaronEng.tmp");
    const std::string target = folder + kExeName;

    platform.files.Remove(temp);
    platform.files.Remove(folder + kLeftoverName);
    KillTask(platform.processes, kExeName);
    Delay(window, platform.system, kEndedProgramGraceMs);

    // A signed lock program is replaced only by its publisher's program,
    // and no lock program by an older one or by another program.
    std::optional<Refusal> refusal;
    const auto acceptable = [&] {
        refusal = CheckDownload(platform, target, temp);
        return !refusal;
    };
    if (!DownloadIntoPlace(site, url, temp, target, Payload::Executable, "E0056", acceptable)) {
        // Said once the download is gone, so nothing of it outlives the box.
        if (refusal) ShowRefusal(window, *refusal, chinese, folder);
        // Only Exit: the lock program has been ended, and the user should
        // leave and start it again rather than try once more blindly.
        window.SetEnabled(Control::cmdExit, true);
        return;
    }
    ShowBox(window, TextId::N9082, chinese, folder);
    window.Terminate();
}

}  // namespace pellinor
