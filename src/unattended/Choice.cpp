// Choosing the installation of an upgrade without a window.
#include "unattended/Choice.h"

#include "text/TextRules.h"

namespace pellinor {

InstallationChoice ChooseInstallation(const std::vector<Installation>& found,
                                      const std::string& named) {
    InstallationChoice choice;
    int distinct = 0;
    for (size_t i = 0; i < found.size(); ++i) {
        const std::string& folder = found[i].folder;
        // Only a folder the scan found: /folder names which, never where. A
        // folder no shortcut leads to is not known to hold the lock program.
        const bool wanted = named.empty() || SameTextAscii(folder, NormalFolder(named));
        const bool again = choice.index >= 0 && SameTextAscii(folder, choice.folder);
        if (!wanted || again) continue;
        ++distinct;
        if (choice.index < 0) {
            choice.folder = folder;
            choice.index = static_cast<int>(i);
        }
    }
    if (distinct == 0) choice.ended = ExitCode::NothingFound;
    if (distinct > 1) choice.ended = ExitCode::SeveralFound;
    if (choice.ended) {
        choice.folder.clear();
        choice.index = -1;
    }
    return choice;
}

}  // namespace pellinor
