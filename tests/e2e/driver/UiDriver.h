// Drives the real Pellinor.exe from outside, as a user would: starts it,
// finds its main window, reads the state of every control and acts on them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/ChildProcess.h"
#include "driver/MessageBoxes.h"
#include "driver/Wait.h"
#include "window/Controls.h"

namespace pellinor::e2e {

class UiDriver {
  public:
    // The Pellinor.exe the build put beside the test program.
    static std::string DefaultExePath();

    // Starts exePath (a copy under another name or folder is fine) and
    // waits until its main window is shown; Started() says whether it was.
    explicit UiDriver(const std::string& exePath = DefaultExePath(),
                      uint32_t timeoutMs = kDefaultTimeoutMs);

    bool Started() const { return main_ != nullptr; }
    ChildProcess& Process() { return *process_; }
    DWORD ProcessId() const { return process_->Id(); }
    HWND MainWindow() const { return main_; }
    // The control's window, found by its id among the main window's descendants.
    HWND Handle(Control control) const;

    std::string Caption() const;
    SIZE ClientSize() const;
    // WM_GETTEXT; the status bar's panel text without its alignment tabs;
    // Control::Form gives the caption.
    std::string Text(Control control) const;
    bool Visible(Control control) const;  // the control's own visible flag
    bool Enabled(Control control) const;
    RECT Rect(Control control) const;  // in the main window's client coordinates
    std::string ClassName(Control control) const;

    int ListCount() const;
    int ListSelection() const;  // -1 when nothing is selected
    std::string ListItem(int index) const;
    std::vector<std::string> ListItems() const;

    int ProgressPosition() const;
    int ProgressMax() const;

    // Actions. Anything that may open a modal box is posted, never sent, so
    // the driver never waits on the box itself.
    void Click(Control button);      // BM_CLICK
    void SelectListItem(int index);  // LB_SETCURSEL and the LBN_SELCHANGE the user's click makes
    void SetEditText(const std::string& text);  // Edit1
    void AddListItemRaw(
        const std::string& text);  // LB_ADDSTRING, to give handlers something to clear
    // A real mouse double-click at the control's centre or at a client point.
    void DoubleClick(Control control);
    void DoubleClickAt(POINT client);
    // A real mouse click at the control's centre.
    void RealClick(Control control);
    // The control that holds the keyboard focus in Pellinor's thread.
    HWND Focus() const;
    // A double-click posted to the control, for when real input cannot reach it.
    void PostDoubleClick(Control control);
    // A key from the keyboard, as a user presses it: the main window is made
    // the foreground window first. alt: with the Alt key held.
    void PressRealKey(WORD virtualKey, bool alt = false);
    // The same key posted to the control holding the focus in Pellinor's
    // thread: needs no foreground window.
    void PressKey(WORD virtualKey, bool alt = false);

    // Boxes of the program (top-level dialogs of its process).
    std::vector<HWND> Dialogs() const { return FindDialogs(ProcessId()); }
    std::optional<DialogInfo> WaitForDialog(uint32_t timeoutMs = kDefaultTimeoutMs) const;

    bool WaitForExit(uint32_t timeoutMs = kDefaultTimeoutMs) {
        return process_->WaitForExit(timeoutMs);
    }
    DWORD ExitCode() const { return process_->ExitCode(); }
    bool Running() const { return process_->Running(); }

  private:
    HWND FindMainWindow() const;
    std::string StatusBarText(HWND bar) const;

    std::unique_ptr<ChildProcess> process_;
    HWND main_ = nullptr;
    DWORD thread_ = 0;
    mutable std::map<int, HWND> handles_;
};

// Text of any window through WM_GETTEXT, across processes.
std::string WindowText(HWND window);
std::string WindowClass(HWND window);
// The top-level windows of a process, visible or not.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);

}  // namespace pellinor::e2e
