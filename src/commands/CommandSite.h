// What the three commands work with: the platform, the desktop scan, the
// window's download, and the live UI-language flag.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "commands/PutInPlace.h"
#include "system/Platform.h"
#include "transfer/Download.h"

namespace pellinor {

// The pause after ending the running copies of a program before its file is
// touched: a process that was told to end may hold its file for a moment.
constexpr uint32_t kEndedProgramGraceMs = 1000;

struct CommandSite {
    Platform& platform;
    const bool& isChinese;  // read where each command says, so a flip mid-command counts only later
    std::function<void()> scanDesktops;  // fills ListBox2
    Downloader& downloader;
};

// Holds the machine's command lock while a command changes files, and
// gives it back on every way out. Taken after the command's questions, so
// that a box left open holds nobody up.
class ChangingFiles {
  public:
    explicit ChangingFiles(CommandLock& lock) : lock_(lock), held_(lock.TryTake()) {}
    ~ChangingFiles() {
        if (held_) lock_.Release();
    }
    ChangingFiles(const ChangingFiles&) = delete;
    ChangingFiles& operator=(const ChangingFiles&) = delete;
    bool Held() const { return held_; }

  private:
    CommandLock& lock_;
    bool held_;
};

// When another copy holds the lock, says so (N9089) and returns false;
// the command then ends before it has changed anything.
bool MayChangeFiles(const ChangingFiles& changing, Window& window, bool chinese);

// Install and SDK download: all four buttons, Exit included, stay off until the end.
void DisableCommandButtons(Window& window);

// Downloads url to temp and puts it in the place of target. On failure shows
// the command's notice ("System Error <code>, <result>") and returns false.
// approve, when given, may refuse the download before it takes the target's
// place; the caller then says why, so no notice follows. A download the
// user stopped returns false too, without a notice.
bool DownloadIntoPlace(CommandSite& site, const std::string& url, const std::string& temp,
                       const std::string& target, Payload payload, const std::string& noticeCode,
                       const std::function<bool()>& approve = nullptr);

// BitBtn2: replace the chosen installation's Tessaron.Exe by the newest one.
void UpgradeInstalledProgram(CommandSite& site);
// BitBtn1: download the newest setup program and start it.
void InstallNewestVersion(CommandSite& site);
// BitBtn3: download the SDK archive to the desktop and open it.
void DownloadSdk(CommandSite& site);

}  // namespace pellinor
