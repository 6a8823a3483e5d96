// The window's stand-in for the upgrade without a window.
#include "unattended/UnattendedWindow.h"

#include <utility>

#include "log/LogEvent.h"

namespace pellinor {

UnattendedWindow::UnattendedWindow(std::function<void()> pump, std::function<void(uint32_t)> wait)
    : pump_(std::move(pump)), wait_(std::move(wait)) {}

void UnattendedWindow::SetText(Control control, const std::string& text) {
    texts_[control] = text;
}

std::string UnattendedWindow::Text(Control control) const {
    const auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}

void UnattendedWindow::ListClear() {
    items_.clear();
    selected_ = -1;
}

void UnattendedWindow::ListAppend(const std::string& item) {
    items_.push_back(item);
}

int UnattendedWindow::ListCount() const {
    return static_cast<int>(items_.size());
}

void UnattendedWindow::ListSelect(int index) {
    selected_ = index >= 0 && index < ListCount() ? index : -1;
}

std::string UnattendedWindow::ListItem(int index) const {
    return index >= 0 && index < ListCount() ? items_[static_cast<size_t>(index)] : std::string();
}

int UnattendedWindow::ShowMessageBox(const std::string& text, const std::string& caption,
                                     unsigned style) {
    boxes_.push_back(WithheldBox{caption, text, style, false});
    // The confirmation of the folder and the warning about an "x86" folder:
    // the command line chose the folder, so the answer is yes. The stop
    // question only comes from a close box, which there is none of.
    if (style == kStyleQuestionOkCancel) return kAnswerOk;
    if (style == kStyleQuestionYesNo) return kAnswerNo;
    return kAnswerOk;
}

void UnattendedWindow::ShowMessage(const std::string& text) {
    boxes_.push_back(WithheldBox{"", text, kStyleInformation, true});
}

bool UnattendedWindow::AskCredentials(const CredentialsRequest&, std::string&, std::string&) {
    LogEvent("proxy sign-in asked: nobody to answer it, declined");
    return false;
}

void UnattendedWindow::ProcessMessages() {
    if (pump_) pump_();
}

void UnattendedWindow::WaitForMessage(uint32_t timeoutMs) {
    if (wait_) wait_(timeoutMs);
}

}  // namespace pellinor
