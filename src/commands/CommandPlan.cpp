// The commands' shared sequence, step by step.
#include "commands/CommandPlan.h"

#include "commands/DownloadCheck.h"
#include "commands/ProgramHeaders.h"
#include "commands/PutInPlace.h"
#include "log/LogEvent.h"
#include "platform/CommandLock.h"
#include "system/Delay.h"
#include "system/KillTask.h"

namespace pellinor {

namespace {

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

// The download's time on screen, ended on every way out, an error that
// propagates included.
class DownloadShown {
  public:
    DownloadShown(CommandNotify& notify, const std::string& dest) : notify_(notify) {
        notify_.DownloadBegun(dest);
    }
    ~DownloadShown() { notify_.DownloadEnded(); }
    DownloadShown(const DownloadShown&) = delete;
    DownloadShown& operator=(const DownloadShown&) = delete;

  private:
    CommandNotify& notify_;
};

// Out of the download's way: what an earlier run left, and the running
// copies of the program that hold its file.
void ClearTheWay(Platform& platform, const CommandPlan& plan) {
    platform.files.Remove(plan.temp);
    for (const std::string& leftover : plan.leftovers) platform.files.Remove(leftover);
    if (!plan.programToEnd.empty()) KillTask(platform.processes, plan.programToEnd);
    Delay(platform.messages, platform.system, kEndedProgramGraceMs);
    if (plan.removeTarget) platform.files.Remove(plan.target);
}

// Whether what arrived may take the target's place; a download that may
// not is removed at once, so nothing of it outlives the box that says why.
StepResult Admit(Platform& platform, const CommandPlan& plan) {
    // A hotel network's login or error page can arrive with status 200, and
    // may even begin with "MZ"; it must never take the place of the lock
    // program.
    if (plan.payload == Payload::Executable && !IsWindowsProgram(platform.files, plan.temp)) {
        LogEvent("download refused: it is not a Windows program");
        platform.files.Remove(plan.temp);
        return Failure(Step::NotProgram);
    }
    if (!plan.checkAgainstTarget) return StepResult{};
    std::optional<Refusal> refusal = CheckDownload(platform, plan.target, plan.temp);
    if (!refusal) return StepResult{};
    platform.files.Remove(plan.temp);
    StepResult refused = Failure(Step::Check);
    refused.refusal = std::move(refusal);
    return refused;
}

// Says how the plan ended and returns it.
StepResult Told(CommandSite& site, const CommandPlan& plan, const StepResult& result) {
    if (result.Ok()) {
        if (plan.then == Then::SayUpgraded) site.notify.Upgraded(plan.folder);
        if (plan.then == Then::OpenTarget) site.platform.shell.Open(plan.target);
        site.notify.Finished();
        return result;
    }
    // The user stopped the download to close the program: nothing to say.
    if (result.step != Step::Stopped) site.notify.Failed(plan.noticeCode, result, plan.folder);
    if (plan.onlyExitAfterFailure && result.step != Step::AnotherCopy) site.notify.OnlyExitLeft();
    return result;
}

}  // namespace

StepResult RunPlan(CommandSite& site, const CommandPlan& plan) {
    Platform& platform = site.platform;
    // Held to the command's end, its last box included.
    const ChangingFiles changing(platform.commandLock);
    if (!changing.Held()) return Told(site, plan, Failure(Step::AnotherCopy));
    site.notify.ChangingFiles(plan.buttons);
    ClearTheWay(platform, plan);

    StepResult result;
    {
        const DownloadShown shown(site.notify, plan.temp);
        result = site.downloader.DownloadOneFile(plan.url, plan.temp);
    }
    // Nothing of a stopped download stays; the target is untouched.
    if (result.step == Step::Stopped) platform.files.Remove(plan.temp);
    if (result.Ok()) result = Admit(platform, plan);
    if (result.Ok())
        result = ReplaceAndVerify(PumpingReplaceSite(platform), plan.temp, plan.target);
    return Told(site, plan, result);
}

}  // namespace pellinor
