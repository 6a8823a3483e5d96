// Choosing the installation of an upgrade without a window.
#include "unattended/Choice.h"

#include "text/TextRules.h"

namespace pellinor {

InstallationChoice ChooseInstallation(const std::vector<std::string>& found,
                                      const std::string& named) {
    InstallationChoice choice;
    if (named.empty()) {
        if (found.empty()) choice.ended = ExitCode::NothingFound;
        if (found.size() > 1) choice.ended = ExitCode::SeveralFound;
        if (found.size() == 1) choice.folder = Trim(found[0]);
        return choice;
    }
    // Only a folder the scan found: /folder names which, never where. A
    // folder no shortcut leads to is not known to hold the lock program.
    for (const std::string& item : found) {
        const std::string folder = Trim(item);
        if (SameTextAscii(WithTrailingBackslash(folder), named)) {
            choice.folder = folder;
            return choice;
        }
    }
    choice.ended = ExitCode::NothingFound;
    return choice;
}

}  // namespace pellinor
