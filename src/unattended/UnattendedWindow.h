// The window's stand-in for the upgrade without a window: the window's own
// upgrade runs against it unchanged. It shows nothing, keeps what the
// command writes into its controls (the list of installations, the base),
// answers each question as the command line already did (the folder is the
// one named or the only one: yes), declines the proxy's sign-in (nobody is
// there to type it), and records every box the window would have shown.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "window/Window.h"

namespace pellinor {

// A box the window would have shown: its caption ("N9082", "E0059", the
// error report's title) or, for a notice, its text ("System Error E0056, -59").
struct WithheldBox {
    std::string caption;
    std::string text;
    unsigned style = 0;
    bool notice = false;
};

class UnattendedWindow : public Window {
  public:
    // pump runs the thread's pending messages (COM's, on Windows); wait
    // waits that long for one. Both may be empty.
    UnattendedWindow(std::function<void()> pump, std::function<void(uint32_t)> wait);

    const std::vector<WithheldBox>& Boxes() const { return boxes_; }
    bool Terminated() const { return terminated_; }

    void SetText(Control control, const std::string& text) override;
    std::string Text(Control control) const override;
    void SetVisible(Control, bool) override {}
    void SetEnabled(Control, bool) override {}
    void ListClear() override;
    void ListAppend(const std::string& item) override;
    int ListCount() const override;
    int ListSelectedIndex() const override { return selected_; }
    void ListSelect(int index) override;
    std::string ListItem(int index) const override;
    void SetProgressMax(int32_t) override {}
    void SetProgressPosition(int32_t) override {}
    void Repaint() override {}
    void SetBusyCursor(bool) override {}
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
    void ShowMessage(const std::string& text) override;
    bool AskCredentials(const CredentialsRequest& request, std::string& user,
                        std::string& password) override;
    void ProcessMessages() override;
    void WaitForMessage(uint32_t timeoutMs) override;
    void Close() override { terminated_ = true; }
    void Terminate() override { terminated_ = true; }

  private:
    std::function<void()> pump_;
    std::function<void(uint32_t)> wait_;
    std::map<Control, std::string> texts_;
    std::vector<std::string> items_;
    int selected_ = -1;
    std::vector<WithheldBox> boxes_;
    bool terminated_ = false;
};

}  // namespace pellinor
