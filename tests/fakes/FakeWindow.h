// A recording stand-in for the main window: it keeps every control's state,
// logs the boxes shown, answers them from a script, and can run code from
// inside ProcessMessages, as a nested event would under Windows.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "window/Window.h"

namespace pellinor {

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned style = 0;  // 0 for ShowMessage
};

class FakeWindow : public Window {
  public:
    FakeWindow();

    void SetText(Control control, const std::string& text) override;
    std::string Text(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    void SetEnabled(Control control, bool enabled) override;

    void ListClear() override;
    void ListAppend(const std::string& item) override;
    int ListCount() const override;
    int ListSelectedIndex() const override;
    void ListSelect(int index) override;
    std::string ListItem(int index) const override;

    void SetProgressMax(int32_t max) override;
    void SetProgressPosition(int32_t position) override;
    void Repaint() override;
    void SetBusyCursor(bool busy) override;

    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
    void ShowMessage(const std::string& text) override;
    bool AskCredentials(const CredentialsRequest& request, std::string& user,
                        std::string& password) override;
    void ProcessMessages() override;
    void WaitForMessage(uint32_t timeoutMs) override;
    void Close() override;
    void Terminate() override;

    bool Visible(Control control) const;
    bool Enabled(Control control) const;
    std::vector<std::string> Items() const { return items_; }

    // Answers of the coming message boxes, in order; OK when the script is empty.
    std::deque<int> answers;
    // Every box shown, message boxes and information dialogs alike.
    std::vector<ShownBox> boxes;
    // Runs while each box is open, after it was recorded.
    std::function<void(const ShownBox&)> onBox;
    // Every sign-in box shown, and the answer all of them get (none: Cancel).
    std::vector<CredentialsRequest> credentialRequests;
    std::optional<std::pair<std::string, std::string>> credentialsAnswer;
    // Runs inside every ProcessMessages call (a nested event, say).
    std::function<void()> onProcessMessages;
    // Runs inside every WaitForMessage call, with its timeout.
    std::function<void(uint32_t)> onWaitForMessage;

    int32_t progressMax = 0;
    int32_t progressPosition = 0;
    int repaints = 0;
    // What the screen showed at the latest Repaint.
    std::string paintedLabel1;
    int32_t paintedProgressPosition = 0;
    int32_t paintedProgressMax = 0;
    int processMessagesCalls = 0;
    bool busyCursor = false;
    int busyCursorChanges = 0;
    bool closed = false;
    bool terminated = false;
    std::vector<std::string> label1History;  // every text Label1 was given

  private:
    std::map<Control, std::string> texts_;
    std::map<Control, bool> visible_;
    std::map<Control, bool> enabled_;
    std::vector<std::string> items_;
    int selected_ = -1;
};

}  // namespace pellinor
