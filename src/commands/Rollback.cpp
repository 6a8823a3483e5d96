// The rollback's steps: the checks first, so that nothing is ended or
// written for a rollback that cannot be done, then the replacement.
#include "commands/Rollback.h"

#include <optional>

#include "commands/CommandPlan.h"
#include "commands/DownloadCheck.h"
#include "commands/LockProgramNames.h"
#include "commands/PutInPlace.h"
#include "commands/keeping/KeptProgram.h"
#include "commands/signatures/Sha256.h"
#include "log/LogEvent.h"
#include "system/Delay.h"
#include "system/KillTask.h"

namespace pellinor {

namespace {

RollbackResult Ended(RollbackEnd end, const std::string& why) {
    LogEvent(std::string("rollback refused: ") + RollbackEndName(end) + ": " + why);
    return RollbackResult{end, 0};
}

// The kept program, copied beside the installed one and checked there: the
// bytes checked are the bytes that will take the program's place, whatever
// happens to the kept file meanwhile.
std::optional<RollbackResult> CopyBeside(Platform& platform, const PublisherKeys& keys,
                                         const KeptRecord& record, const KeptPlace& place,
                                         const std::string& target, const std::string& temp) {
    FileSystem& files = platform.files;
    // A folder, or nothing at all, where the kept program should be.
    if (!files.FileExists(place.program))
        return Ended(RollbackEnd::KeptChanged, Quoted(place.program) + " is no file");
    std::optional<std::string> copied;
    try {
        files.Remove(temp);
        copied = CopyFileWithSha256(files, place.program, temp);
    } catch (const std::exception& error) {
        LogEvent("rollback: " + Quoted(temp) + " not written: " + Quoted(error.what()));
        return RollbackResult{RollbackEnd::NotPutInPlace, 0};
    }
    if (!copied) return Ended(RollbackEnd::KeptChanged, Quoted(place.program) + " cannot be read");
    if (*copied != record.sha256) {
        files.Remove(temp);
        return Ended(RollbackEnd::KeptChanged,
                     "the kept program's sha256=" + *copied + ", recorded " + record.sha256);
    }
    if (const std::optional<Refusal> refusal =
            CheckProgramPublisher(platform, keys, target, temp)) {
        files.Remove(temp);
        return Ended(RollbackEnd::Refused, "the publisher check refuses the kept program");
    }
    return std::nullopt;
}

}  // namespace

RollbackResult RollBack(Platform& platform, const PublisherKeys& keys, const std::string& folder,
                        bool chinese) {
    FileSystem& files = platform.files;
    const std::string target = folder + kLockProgramName;
    const std::string temp = folder + ReplacementTempName(chinese);
    LogEvent("rollback of " + Quoted(folder));
    const HeldCommandLock changing(platform.commandLock);
    if (!changing.Held()) return Ended(RollbackEnd::AnotherCopy, "the machine-wide lock is held");

    const std::optional<KeptPlace> place = KeptPlaceOf(platform.dataFolder, folder);
    if (!place) return Ended(RollbackEnd::NothingKept, "no folder for kept programs");
    const RecordReading reading = ReadKeptRecord(files, place->record, folder);
    if (reading.state == RecordState::Missing)
        return Ended(RollbackEnd::NothingKept, "no record " + Quoted(place->record));
    if (reading.state == RecordState::Damaged)
        return Ended(RollbackEnd::RecordDamaged, Quoted(place->record) + ": " + reading.problem);
    const KeptRecord& record = reading.record;
    LogEvent("rollback record: version " + record.version + " sha256=" + record.sha256 +
             " replaced by sha256=" + record.replacedBy + " at " + record.when);

    const std::optional<std::string> installed = Sha256OfFile(files, target);
    // A rollback stopped after its replacement and before its record went:
    // the kept program is in place already, and only the record is left.
    if (installed == record.sha256) {
        ForgetKept(files, *place);
        LogEvent("rollback: the kept program is in place already; its record is forgotten");
        return RollbackResult{};
    }
    if (installed != record.replacedBy) {
        return Ended(RollbackEnd::InstalledChanged,
                     "the installed program's sha256=" + installed.value_or("(unreadable)") +
                         ", the upgrade placed " + record.replacedBy);
    }
    if (std::optional<RollbackResult> ended =
            CopyBeside(platform, keys, record, *place, target, temp))
        return *ended;

    KillTask(platform.processes, kLockProgramName);
    Delay(platform.messages, platform.system, kEndedProgramGraceMs);
    const StepResult replaced = ReplaceAndVerify(PumpingReplaceSite(platform), temp, target);
    if (!replaced.Ok()) {
        files.Remove(temp);
        LogEvent(std::string("rollback failed at step ") + StepName(replaced.step));
        return RollbackResult{RollbackEnd::NotPutInPlace, replaced.systemError};
    }
    ForgetKept(files, *place);
    LogEvent("rollback done: " + Quoted(target) + " is version " + record.version + " again");
    return RollbackResult{};
}

const char* RollbackEndName(RollbackEnd end) {
    switch (end) {
        case RollbackEnd::PutBack:
            return "put back";
        case RollbackEnd::AnotherCopy:
            return "another copy changes files";
        case RollbackEnd::NothingKept:
            return "nothing kept for the folder";
        case RollbackEnd::RecordDamaged:
            return "the record is damaged";
        case RollbackEnd::InstalledChanged:
            return "the installed program changed since the upgrade";
        case RollbackEnd::KeptChanged:
            return "the kept program changed";
        case RollbackEnd::Refused:
            return "refused by the publisher check";
        case RollbackEnd::NotPutInPlace:
            return "not put in place";
    }
    return "?";
}

}  // namespace pellinor
