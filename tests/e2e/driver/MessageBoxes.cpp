// Reading and answering the program's boxes from the test process.
#include "driver/MessageBoxes.h"

#include "driver/Input.h"
#include "driver/UiDriver.h"

namespace pellinor::e2e {

namespace {
struct DialogSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && ::IsWindowVisible(window) && WindowClass(window) == "#32770") {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
    auto* info = reinterpret_cast<DialogInfo*>(param);
    if (!::IsWindowVisible(child)) return TRUE;
    const std::string kind = WindowClass(child);
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    if (_stricmp(kind.c_str(), "Button") == 0) {
        info->buttons.push_back(WindowText(child));
    } else if (_stricmp(kind.c_str(), "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        DWORD_PTR icon = 0;
        ::SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
        if (icon) info->hasIcon = true;
    }
    return TRUE;
}

bool VisibleChild(HWND dialog, int id) {
    const HWND child = ::GetDlgItem(dialog, id);
    return child && ::IsWindowVisible(child);
}
}  // namespace

std::vector<HWND> FindDialogs(DWORD processId) {
    DialogSearch search{processId, {}};
    ::EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogInfo ReadDialog(HWND dialog) {
    DialogInfo info;
    info.handle = dialog;
    info.caption = WindowText(dialog);
    if (const HWND text = ::GetDlgItem(dialog, kDialogTextId)) info.text = WindowText(text);
    info.hasOk = VisibleChild(dialog, IDOK);
    info.hasCancel = VisibleChild(dialog, IDCANCEL);
    ::EnumChildWindows(dialog, ReadChild, reinterpret_cast<LPARAM>(&info));
    return info;
}

void AnswerDialog(HWND dialog, int buttonId) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

void ClickDialogButton(HWND dialog, int buttonId) {
    ::PostMessageW(::GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

void PressEscapeIn(HWND dialog) {
    const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    HWND target = FocusOf(thread, dialog);
    if (target != dialog && !::IsChild(dialog, target)) target = dialog;
    PostKey(target, VK_ESCAPE);
}

}  // namespace pellinor::e2e
