// The program's boxes as the Wine tests see them: every top-level dialog of
// the Pellinor process, read and answered from outside.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pellinor::e2e {

// The id of the text of a message box, and of the program's own
// information dialog, which follows the same convention.
constexpr int kDialogTextId = 0xFFFF;

struct DialogInfo {
    HWND handle = nullptr;
    std::string caption;
    std::string text;
    bool hasOk = false;                // a visible button with id IDOK
    bool hasCancel = false;            // a visible button with id IDCANCEL
    bool hasIcon = false;              // a visible icon static that holds an icon
    std::vector<std::string> buttons;  // captions of the visible buttons
};

// The visible top-level dialogs ("#32770") of a process.
std::vector<HWND> FindDialogs(DWORD processId);
DialogInfo ReadDialog(HWND dialog);

// Answers as a click on the button with that id would (WM_COMMAND, posted).
void AnswerDialog(HWND dialog, int buttonId);
// Posts BM_CLICK to the button itself.
void ClickDialogButton(HWND dialog, int buttonId);
// Esc to the dialog's focused control, through the dialog's own key handling.
void PressEscapeIn(HWND dialog);

}  // namespace pellinor::e2e
