// Message boxes and the information dialog: owned by the hidden application
// window and modal for the whole program.
#include "platform/win32/Utf.h"
#include "window/win32/CredentialsDialog.h"
#include "window/win32/InfoDialog.h"
#include "window/win32/Win32Window.h"

namespace pellinor {

Win32Window::ModalScope::ModalScope(Win32Window& window) : window_(window), focus_(::GetFocus()) {
    // The box disables its owner, the hidden application window; the main
    // window is not owned by it and is disabled here.
    if (window_.main_ && ::IsWindowEnabled(window_.main_)) {
        ::EnableWindow(window_.main_, FALSE);
        disabledMain_ = true;
    }
}

Win32Window::ModalScope::~ModalScope() {
    HWND main = window_.main_;
    if (!main) return;
    if (disabledMain_) ::EnableWindow(main, TRUE);
    // When the box went, the system activated some other window, since its
    // owner is hidden and the main window was still disabled.
    if (::IsWindowVisible(main)) ::SetForegroundWindow(main);
    if (focus_ && ::IsWindow(focus_) && ::IsChild(main, focus_) && ::IsWindowVisible(focus_) &&
        ::IsWindowEnabled(focus_)) {
        ::SetFocus(focus_);
    }
}

int Win32Window::ShowMessageBox(const std::string& text, const std::string& caption,
                                unsigned style) {
    // A program asked to close (the stop question answered Yes before the
    // command reached its download) asks nothing more: Cancel, so that the
    // command ends before it ends the lock program or changes a file.
    if (closeRequested_) return kAnswerCancel;
    const std::wstring wideText = Widen(text);
    const std::wstring wideCaption = Widen(caption);
    int answer = 0;
    {
        ModalScope modal(*this);
        answer = ::MessageBoxW(BoxOwner(), wideText.c_str(), wideCaption.c_str(), style);
    }
    // Esc and the close box give Cancel; a box that could not be shown
    // counts as Cancel too, so nothing goes ahead unconfirmed.
    return answer == 0 ? kAnswerCancel : answer;
}

void Win32Window::ShowMessage(const std::string& text) {
    InfoDialogRequest request;
    request.caption = Title();
    request.text = Widen(text);
    // Once the program has been asked to close, the dialog ends as soon as
    // it is made; a running command then goes on to its end.
    request.closeAtOnce = closeRequested_;
    request.openDialog = &infoDialog_;
    ModalScope modal(*this);
    ShowInfoDialog(instance_, BoxOwner(), request);
}

bool Win32Window::AskCredentials(const CredentialsRequest& request, std::string& user,
                                 std::string& password) {
    // A program asked to close does not wait for a sign-in.
    if (closeRequested_) return false;
    ModalScope modal(*this);
    return ShowCredentialsDialog(instance_, BoxOwner(), request, user, password);
}

}  // namespace pellinor
