// The information dialog (ShowMessage): word-wrapped text, no icon, one OK
// button that answers Enter and Esc, centred on the screen. Built like a
// message box (a "#32770" dialog whose text is the static 0xFFFF and whose
// button is IDOK), so that whatever reads message boxes reads it too.
#pragma once

#include <string>

#include "platform/win32/WindowsHeaders.h"

namespace pellinor {

struct InfoDialogRequest {
    std::wstring caption;
    std::wstring text;
    // Ends the dialog as soon as it is made: the program is closing.
    bool closeAtOnce = false;
    // Holds the dialog's handle while it is open, so that a close request
    // arriving meanwhile can end it.
    HWND* openDialog = nullptr;
};

// Runs the dialog modally, owned by owner; returns when it is answered.
void ShowInfoDialog(HINSTANCE instance, HWND owner, const InfoDialogRequest& request);

}  // namespace pellinor
