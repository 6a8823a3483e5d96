// What the commands share.
#include "commands/CommandSite.h"

#include "window/Messages.h"

namespace pellinor {

void DisableCommandButtons(Window& window) {
    for (Control c : {Control::BitBtn1, Control::BitBtn2, Control::BitBtn3, Control::cmdExit}) {
        window.SetEnabled(c, false);
    }
}

bool MayChangeFiles(const ChangingFiles& changing, Window& window, bool chinese) {
    if (changing.Held()) return true;
    ShowBox(window, TextId::N9089, chinese);
    return false;
}

bool DownloadIntoPlace(CommandSite& site, const std::string& url, const std::string& temp,
                       const std::string& target, Payload payload, const std::string& noticeCode,
                       const std::function<bool()>& approve) {
    bool refused = false;
    const std::function<bool()> asked = [&] {
        refused = !approve();
        return !refused;
    };
    int errorCode = site.downloader.DownloadOneFile(url, temp);
    if (errorCode == kDownloadStopped) {
        // The user stopped it to close the program: nothing of it stays, the
        // target is untouched, and no box follows.
        site.platform.files.Remove(temp);
        return false;
    }
    if (errorCode == 0) {
        errorCode = FinishDownload(site.platform, temp, target, payload, approve ? asked : nullptr);
    }
    if (errorCode == 0) return true;
    if (refused) return false;
    ShowSystemError(site.platform.window, noticeCode, errorCode);
    return false;
}

}  // namespace pellinor
