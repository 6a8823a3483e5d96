// What the logic may do with the main window and its controls. The win32
// backend realises it with real controls; the native tests use a recording fake.
#pragma once

#include <cstdint>
#include <string>

#include "platform/MessagePump.h"
#include "window/Controls.h"

namespace pellinor {

// Message-box style values and answers, in the Windows encoding.
enum : unsigned {
    kStyleQuestionOkCancel = 289,  // OK, Cancel; question icon; Cancel is the default
    kStyleQuestionYesNo = 292,     // Yes, No; question icon; No is the default
    kStyleExclamation = 48,
    kStyleInformation = 64,
    kStyleError = 16,
};
enum : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

// The texts of the sign-in box, in the current language.
struct CredentialsRequest {
    std::string caption;
    std::string prompt;  // names who asks
    std::string userLabel;
    std::string passwordLabel;
    std::string ok;
    std::string cancel;
};

// Keeping the window alive is its message pump: ProcessMessages and
// WaitForMessage.
class Window : public MessagePump {
  public:
    // Control::Form sets the window caption, StatusBar1 its panel text.
    virtual void SetText(Control control, const std::string& text) = 0;
    virtual std::string Text(Control control) const = 0;
    virtual void SetVisible(Control control, bool visible) = 0;
    virtual void SetEnabled(Control control, bool enabled) = 0;

    // ListBox2
    virtual void ListClear() = 0;
    virtual void ListAppend(const std::string& item) = 0;
    virtual int ListCount() const = 0;
    virtual int ListSelectedIndex() const = 0;  // -1 when nothing is selected
    virtual void ListSelect(int index) = 0;
    virtual std::string ListItem(int index) const = 0;

    // ProgressBar1
    virtual void SetProgressMax(int32_t max) = 0;
    virtual void SetProgressPosition(int32_t position) = 0;

    virtual void Repaint() = 0;
    virtual void SetBusyCursor(bool busy) = 0;

    // Modal boxes; both block until answered with the main window disabled.
    virtual int ShowMessageBox(const std::string& text, const std::string& caption,
                               unsigned style) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // A modal box asking for a user name and a password (typed hidden).
    // False when the user cancels; the answer is never kept or shown.
    virtual bool AskCredentials(const CredentialsRequest& request, std::string& user,
                                std::string& password) = 0;

    // Closes the window (Exit): the program ends once no handler runs any more.
    virtual void Close() = 0;
    // Ends the application once the running handler returns.
    virtual void Terminate() = 0;
};

}  // namespace pellinor
