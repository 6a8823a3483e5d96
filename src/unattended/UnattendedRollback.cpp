// The rollback without a window: the installation chosen as the upgrade
// without a window chooses it, the rollback, its exit code.
#include "unattended/UnattendedRollback.h"

#include "log/LogEvent.h"
#include "system/ShortcutScan.h"
#include "text/Texts.h"
#include "unattended/Choice.h"
#include "unattended/UnattendedUpgrade.h"

namespace pellinor {

ExitCode ExitCodeOf(const RollbackResult& result) {
    switch (result.end) {
        case RollbackEnd::PutBack:
            return ExitCode::Upgraded;
        case RollbackEnd::AnotherCopy:
            return ExitCode::AlreadyRunning;
        case RollbackEnd::NothingKept:
            return ExitCode::NothingKept;
        case RollbackEnd::RecordDamaged:
            return ExitCode::KeptRecordDamaged;
        case RollbackEnd::InstalledChanged:
            return ExitCode::InstalledChanged;
        case RollbackEnd::KeptChanged:
            return ExitCode::KeptProgramChanged;
        case RollbackEnd::Refused:
            return ExitCode::Refused;
        case RollbackEnd::NotPutInPlace:
            return ExitCode::ReplaceFailed;
    }
    return ExitCode::Unexpected;
}

ExitCode RunUnattendedRollback(Platform& platform, const PublisherKeys& publisherKeys,
                               const CommandLine& request) {
    LogEvent("rollback without a window: folder=" +
             (request.folder.empty() ? std::string("(the one found)") : Quoted(request.folder)));
    const InstallationChoice choice =
        ChooseInstallation(FindInstallations(platform), request.folder);
    if (choice.ended) {
        LogEvent("none to take");
        return *choice.ended;
    }
    // The temporary file's name follows the language, as the upgrade's does.
    const bool chinese = LanguageNameIsChinese(platform.system.DefaultLanguageNameAnsi());
    const RollbackResult result = RollBack(platform, publisherKeys, choice.folder, chinese);
    if (result.systemError != 0)
        LogEvent("rollback: system error " + std::to_string(result.systemError));
    return ExitCodeOf(result);
}

int EndRollbackWith(ExitCode code) {
    if (code != ExitCode::Upgraded) return EndWith(code);
    LogEvent("exit 0 (put back)");
    return 0;
}

}  // namespace pellinor
