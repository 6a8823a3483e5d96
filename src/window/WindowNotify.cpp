// A command's events as the window shows them.
#include "window/WindowNotify.h"

#include "log/LogEvent.h"
#include "window/Messages.h"

namespace pellinor {

void WindowNotify::Begun() {
    kept_.reset();
    window_.SetVisible(Control::Image2, false);
}

bool WindowNotify::Confirm(Question question, const std::string& folder) {
    switch (question) {
        case Question::Install:
            return ShowBox(window_, TextId::N9078, BoxLanguage()) != kAnswerCancel;
        case Question::Upgrade:
            return ShowBox(window_, TextId::N9079, BoxLanguage(), folder) != kAnswerCancel;
        case Question::X86Folder:
            return ShowBox(window_, TextId::N9077, BoxLanguage()) != kAnswerCancel;
    }
    return false;
}

void WindowNotify::ForgetListed() {
    window_.ListClear();
    listed_.clear();
}

std::optional<Installation> WindowNotify::Choose(const std::vector<Installation>& found) {
    listed_ = found;
    if (found.empty()) {
        ShowBox(window_, TextId::N9081, BoxLanguage(), "", 0);
        return std::nullopt;
    }
    const int count = static_cast<int>(found.size());
    // The list keeps the user's selection as long as it shows these.
    if (window_.ListCount() != count) {
        window_.ListClear();
        for (const Installation& i : found)
            window_.ListAppend((i.ownDesktop ? " " : "") + i.folder);
    }
    window_.SetVisible(Control::Label2, true);
    window_.SetVisible(Control::ListBox2, true);
    if (count > 1 && window_.ListSelectedIndex() < 0) {
        ShowBox(window_, TextId::N9080, BoxLanguage(), "", count);
        return std::nullopt;
    }
    if (count == 1) window_.ListSelect(0);
    return found[static_cast<size_t>(window_.ListSelectedIndex())];
}

void WindowNotify::ChangingFiles(ButtonsOff buttons) {
    for (Control c : {Control::BitBtn1, Control::BitBtn2, Control::cmdExit}) {
        window_.SetEnabled(c, false);
    }
    if (buttons == ButtonsOff::All) window_.SetEnabled(Control::BitBtn3, false);
}

void WindowNotify::DownloadBegun(const std::string& dest) {
    window_.SetBusyCursor(true);
    window_.SetText(Control::Label3, dest);
}

void WindowNotify::DownloadEnded() {
    window_.SetBusyCursor(false);
}

void WindowNotify::Failed(const std::string& noticeCode, const StepResult& result,
                          const std::string& folder) {
    switch (result.step) {
        case Step::AnotherCopy:
            ShowBox(window_, TextId::N9089, BoxLanguage());
            return;
        case Step::Check: {
            const Refusal& refusal = *result.refusal;
            const std::string where = !refusal.folderLine ? folder
                                      : folder.empty()
                                          ? std::string()
                                          : Tr(TextId::FolderLine, BoxLanguage()) + folder;
            ShowFilledBox(window_, refusal.text, BoxLanguage(), refusal.downloaded,
                          refusal.installed, where);
            return;
        }
        case Step::Write:
            ShowErrorReport(window_, system_.ExecutablePath(), result.text);
            return;
        case Step::Download:
            if (result.clientError) {
                LogEvent("box E0059");
                window_.ShowMessageBox(result.text, "E0059", kStyleError);
            }
            break;
        default:
            break;
    }
    ShowNotice(window_, NoticeText(noticeCode, result));
}

void WindowNotify::OnlyExitLeft() {
    window_.SetEnabled(Control::cmdExit, true);
}

void WindowNotify::Upgraded(const std::string& folder) {
    ShowBox(window_, TextId::N9082, BoxLanguage(), folder);
}

bool WindowNotify::AskProxyCredentials(const std::string& proxy, ProxyCredentials& credentials) {
    const bool chinese = chinese_;
    const CredentialsRequest request{
        Tr(TextId::ProxySignInCaption, chinese), Tr(TextId::ProxySignInPrompt, chinese) + proxy,
        Tr(TextId::ProxySignInUser, chinese),    Tr(TextId::ProxySignInPassword, chinese),
        Tr(TextId::ProxySignInOk, chinese),      Tr(TextId::ProxySignInCancel, chinese),
    };
    return window_.AskCredentials(request, credentials.user, credentials.password);
}

void WindowNotify::Finished() {
    window_.Terminate();
}

}  // namespace pellinor
