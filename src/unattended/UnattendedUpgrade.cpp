// The upgrade without a window: the window's handler on the window's
// stand-in, and the exit code read from what it would have shown.
#include "unattended/UnattendedUpgrade.h"

#include <exception>

#include "log/LogEvent.h"
#include "log/LogLine.h"
#include "system/ShortcutScan.h"
#include "transfer/Download.h"
#include "unattended/Choice.h"

namespace pellinor {

namespace {

constexpr const char* kNoticePrefix = "System Error E0056, ";

bool IsRefusal(const std::string& caption) {
    for (const char* code : {"N9083", "N9084", "N9085", "N9086", "N9087", "N9088"}) {
        if (caption == code) return true;
    }
    return false;
}

// The failure notice's code: -1 and -59 are the download's own; any other
// is a system error of writing or replacing the file.
ExitCode OutcomeOfNotice(const std::string& text) {
    if (text.rfind(kNoticePrefix, 0) != 0) return ExitCode::Unexpected;
    const std::string code = text.substr(std::string(kNoticePrefix).size());
    if (code == std::to_string(kDownloadIncomplete) || code == std::to_string(kDownloadFailed)) {
        return ExitCode::DownloadFailed;
    }
    return ExitCode::ReplaceFailed;
}

}  // namespace

ExitCode OutcomeOfBoxes(const std::vector<WithheldBox>& boxes) {
    ExitCode code = ExitCode::Unexpected;
    for (const WithheldBox& box : boxes) {
        const std::string& caption = box.caption;
        if (box.notice) {
            code = OutcomeOfNotice(box.text);
        } else if (caption == "N9082") {
            code = ExitCode::Upgraded;
        } else if (caption == "E0059") {
            code = ExitCode::DownloadFailed;
        } else if (IsRefusal(caption)) {
            code = ExitCode::Refused;
        } else if (caption == "N9089") {
            code = ExitCode::AlreadyRunning;
        } else if (caption.rfind("N9081", 0) == 0) {
            code = ExitCode::NothingFound;
        } else if (caption.rfind("N9080", 0) == 0) {
            code = ExitCode::SeveralFound;
        } else if (box.style == kStyleError) {
            // The application's error report: the temporary file could not
            // be made or written (a read-only folder, a full disk).
            const bool file = box.text.rfind("Cannot create file", 0) == 0 ||
                              box.text.rfind("Cannot write file", 0) == 0;
            code = file ? ExitCode::ReplaceFailed : ExitCode::Unexpected;
        }
        // The questions (N9079, N9077) were answered and decide nothing.
    }
    return code;
}

ExitCode RunUnattendedUpgrade(TForm1& form, Platform& platform, UnattendedWindow& window,
                              const CommandLine& request) {
    LogEvent("upgrade without a window: folder=" +
             (request.folder.empty() ? std::string("(the one found)") : Quoted(request.folder)) +
             " base=" +
             (request.base.empty() ? std::string("(built in)") : AddressForLog(request.base)));
    form.FormCreate();
    window.SetText(Control::Edit1, request.base);
    GetTessaronExePath(platform);

    std::vector<std::string> found;
    for (int i = 0; i < window.ListCount(); ++i) found.push_back(window.ListItem(i));
    const InstallationChoice choice = ChooseInstallation(found, request.folder);
    if (choice.ended) {
        // Nothing is changed: the window would have stopped at a box here too.
        std::string line = "installations found=" + std::to_string(found.size());
        for (const std::string& folder : found) line += " " + Quoted(folder);
        LogEvent(line + "; none to take");
        return *choice.ended;
    }
    window.ListSelect(choice.index);
    form.Dispatch(Event::BitBtn2Click);

    const ExitCode code = OutcomeOfBoxes(window.Boxes());
    // Success only with the window's own end after its success box.
    if (code == ExitCode::Upgraded && !window.Terminated()) return ExitCode::Unexpected;
    return code;
}

int EndWith(ExitCode code) {
    LogEvent("exit " + ExitCodeText(code));
    return static_cast<int>(code);
}

}  // namespace pellinor
