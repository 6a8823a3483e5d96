// What a command tells whoever started it, and the few things it asks: the
// window shows and asks in boxes and controls; the upgrade without a window
// answers from its command line and keeps the outcome for its exit code.
// A command never reaches a control itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/DownloadNotify.h"
#include "commands/StepResult.h"
#include "system/ShortcutScan.h"

namespace pellinor {

enum class Question {
    Install,    // download and start the newest setup program?
    Upgrade,    // upgrade the installation in this folder?
    X86Folder,  // the folder may be closed to a 32-bit program: go on anyway?
};

// Which command buttons go off while a command changes files.
enum class ButtonsOff {
    AllButSdk,  // the upgrade
    All,
};

// A command's download tells the same listener how it goes (DownloadNotify).
class CommandNotify : public DownloadNotify {
  public:
    // A command has begun; its boxes follow the language as it is switched.
    virtual void Begun() = 0;
    // The language the user has chosen, asked where a command fixes a file
    // name or the language of its boxes: a switch made before counts.
    virtual bool ChineseNow() const = 0;
    // From here on the command's boxes keep this language, whatever the
    // user switches to while it runs.
    virtual void KeepLanguage(bool chinese) = 0;
    // True to go on; folder is named where the question names one.
    virtual bool Confirm(Question question, const std::string& folder) = 0;
    // The installations found: the one to upgrade, or nothing (none found,
    // or several and none chosen yet), which ends the command. The window
    // keeps them, so the next click picks among them without a scan.
    virtual std::optional<Installation> Choose(const std::vector<Installation>& found) = 0;
    // The command now changes files and cannot be started again.
    virtual void ChangingFiles(ButtonsOff buttons) = 0;
    // The download into dest begins, and ends (on every way out).
    virtual void DownloadBegun(const std::string& dest) = 0;
    virtual void DownloadEnded() = 0;
    // The command failed at result's step (never Stopped: the user asked
    // for that); noticeCode names the command, folder the installation.
    virtual void Failed(const std::string& noticeCode, const StepResult& result,
                        const std::string& folder) = 0;
    // The upgrade failed after the lock program was ended: leaving is the
    // only way on.
    virtual void OnlyExitLeft() = 0;
    // The upgrade put the new program in place in folder.
    virtual void Upgraded(const std::string& folder) = 0;
    // The command is done: the program ends once it has returned.
    virtual void Finished() = 0;
};

}  // namespace pellinor
