// The commands' shared sequence, step by step.
#include "commands/CommandPlan.h"

#include "commands/DownloadCheck.h"
#include "commands/PutInPlace.h"
#include "commands/SmallerFiles.h"
#include "commands/keeping/KeptProgram.h"
#include "commands/signatures/ProgramHeaders.h"
#include "log/LogEvent.h"
#include "platform/CommandLock.h"
#include "system/Delay.h"
#include "system/KillTask.h"
#include "text/TextRules.h"

namespace pellinor {

namespace {

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

// The detached signature's temporary file, beside the download's.
std::string SignatureTemp(const CommandPlan& plan) {
    return plan.temp + kDetachedSignatureSuffix;
}

// Out of the download's way: what an earlier run left, and the running
// copies of the program that hold its file.
void ClearTheWay(Platform& platform, const CommandPlan& plan) {
    platform.files.Remove(plan.temp);
    if (plan.signature == Signed::Beside) platform.files.Remove(SignatureTemp(plan));
    for (const std::string& leftover : plan.leftovers) platform.files.Remove(leftover);
    if (!plan.programToEnd.empty()) KillTask(platform.processes, plan.programToEnd);
    Delay(platform.messages, platform.system, kEndedProgramGraceMs);
    if (plan.removeTarget) platform.files.Remove(plan.target);
}

// The detached signature the keys hold the download to, fetched beside it.
// One that cannot be had stays missing, which the check counts as no
// signature at all; only the user's stop ends the plan here.
StepResult FetchSignature(CommandSite& site, const CommandPlan& plan) {
    if (plan.signature != Signed::Beside || site.publisherKeys.empty()) return StepResult{};
    const StepResult result =
        site.downloader.DownloadOneFile(plan.url + kDetachedSignatureSuffix, SignatureTemp(plan));
    if (result.step == Step::Stopped) return result;
    if (!result.Ok()) {
        LogEvent(std::string("detached signature not had: ") + StepName(result.step) +
                 (result.text.empty() ? "" : " " + Quoted(result.text)));
        site.platform.files.Remove(SignatureTemp(plan));
    }
    return StepResult{};
}

// Who may have made the download: the checks against the installed program
// for an upgrade, otherwise the publisher keys alone, when there are any.
std::optional<Refusal> Refused(CommandSite& site, const CommandPlan& plan) {
    Platform& platform = site.platform;
    const PublisherKeys& keys = site.publisherKeys;
    if (plan.checkAgainstTarget) return CheckDownload(platform, keys, plan.target, plan.temp);
    if (keys.empty()) return std::nullopt;
    const std::string shown = ExtractFileName(plan.target);
    if (plan.signature == Signed::Beside)
        return CheckSignedArchive(platform.signatures, platform.files, keys, plan.temp,
                                  SignatureTemp(plan), shown);
    return CheckSignedProgram(platform.signatures, keys, plan.temp, shown);
}

// Whether what arrived may take the target's place; a download that may
// not is removed at once, so nothing of it outlives the box that says why.
StepResult Admit(CommandSite& site, const CommandPlan& plan) {
    Platform& platform = site.platform;
    // A hotel network's login or error page can arrive with status 200, and
    // may even begin with "MZ"; it must never take the place of the lock
    // program.
    if (plan.payload == Payload::Executable && !IsWindowsProgram(platform.files, plan.temp)) {
        LogEvent("download refused: it is not a Windows program");
        platform.files.Remove(plan.temp);
        return Failure(Step::NotProgram);
    }
    std::optional<Refusal> refusal = Refused(site, plan);
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
    // A refused download leaves only Exit, whichever command fetched it.
    const bool onlyExit = plan.onlyExitAfterFailure || result.step == Step::Check;
    if (onlyExit && result.step != Step::AnotherCopy) site.notify.OnlyExitLeft();
    return result;
}

}  // namespace

StepResult RunPlan(CommandSite& site, const CommandPlan& plan) {
    Platform& platform = site.platform;
    // Held to the command's end, its last box included.
    const HeldCommandLock changing(platform.commandLock);
    if (!changing.Held()) return Told(site, plan, Failure(Step::AnotherCopy));
    site.notify.ChangingFiles(plan.buttons);
    ClearTheWay(platform, plan);

    ChainResult chain;
    {
        const DownloadShown shown(site.notify, plan.temp);
        chain = DownloadSmallest(site, plan, [&site, &plan] { return Admit(site, plan); });
        if (chain.result.Ok() && !chain.admitted) chain.result = FetchSignature(site, plan);
    }
    StepResult& result = chain.result;
    // Nothing of a stopped download stays; the target is untouched.
    if (result.step == Step::Stopped) platform.files.Remove(plan.temp);
    if (result.Ok() && !chain.admitted) result = Admit(site, plan);
    // A detached signature serves its one check and goes.
    if (plan.signature == Signed::Beside) platform.files.Remove(SignatureTemp(plan));
    if (result.Ok()) {
        const std::optional<PendingKeep> kept =
            plan.keepReplaced ? PrepareKeep(platform, plan.folder, plan.target, plan.temp)
                              : std::nullopt;
        result = ReplaceAndVerify(PumpingReplaceSite(platform), plan.temp, plan.target);
        FinishKeep(platform.files, kept, result.Ok());
    }
    return Told(site, plan, result);
}

}  // namespace pellinor
