// The recording fake of the main window.
#include "fakes/FakeWindow.h"

#include "window/Layout.h"

namespace pellinor {

FakeWindow::FakeWindow() {
    for (const ControlLayout& layout : ControlLayouts()) {
        texts_[layout.control] = layout.initialText;
        visible_[layout.control] = layout.visible;
        enabled_[layout.control] = layout.enabled;
    }
    visible_[Control::Form] = true;
    enabled_[Control::Form] = true;
}

void FakeWindow::SetText(Control control, const std::string& text) {
    texts_[control] = text;
    if (control == Control::Label1) label1History.push_back(text);
}
std::string FakeWindow::Text(Control control) const {
    auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}
void FakeWindow::SetVisible(Control control, bool visible) {
    visible_[control] = visible;
}
void FakeWindow::SetEnabled(Control control, bool enabled) {
    enabled_[control] = enabled;
}
bool FakeWindow::Visible(Control control) const {
    return visible_.at(control);
}
bool FakeWindow::Enabled(Control control) const {
    return enabled_.at(control);
}

void FakeWindow::ListClear() {
    items_.clear();
    selected_ = -1;
}
void FakeWindow::ListAppend(const std::string& item) {
    items_.push_back(item);
}
int FakeWindow::ListCount() const {
    return static_cast<int>(items_.size());
}
int FakeWindow::ListSelectedIndex() const {
    return selected_;
}
void FakeWindow::ListSelect(int index) {
    selected_ = (index >= 0 && index < ListCount()) ? index : -1;
}
std::string FakeWindow::ListItem(int index) const {
    return items_.at(static_cast<size_t>(index));
}

void FakeWindow::SetProgressMax(int32_t max) {
    progressMax = max;
}
void FakeWindow::SetProgressPosition(int32_t position) {
    progressPosition = position;
}
void FakeWindow::Repaint() {
    ++repaints;
    paintedLabel1 = Text(Control::Label1);
    paintedProgressPosition = progressPosition;
    paintedProgressMax = progressMax;
}
void FakeWindow::SetBusyCursor(bool busy) {
    busyCursor = busy;
    ++busyCursorChanges;
}

int FakeWindow::ShowMessageBox(const std::string& text, const std::string& caption,
                               unsigned style) {
    boxes.push_back({text, caption, style});
    if (onBox) onBox(boxes.back());
    if (answers.empty()) return kAnswerOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}
void FakeWindow::ShowMessage(const std::string& text) {
    boxes.push_back({text, "", 0});
    if (onBox) onBox(boxes.back());
}

bool FakeWindow::AskCredentials(const CredentialsRequest& request, std::string& user,
                                std::string& password) {
    credentialRequests.push_back(request);
    if (!credentialsAnswer) return false;
    user = credentialsAnswer->first;
    password = credentialsAnswer->second;
    return true;
}

void FakeWindow::ProcessMessages() {
    ++processMessagesCalls;
    if (onProcessMessages) onProcessMessages();
}
void FakeWindow::WaitForMessage(uint32_t timeoutMs) {
    if (onWaitForMessage) onWaitForMessage(timeoutMs);
}
void FakeWindow::Close() {
    closed = true;
}
void FakeWindow::Terminate() {
    terminated = true;
}

}  // namespace pellinor
