// The sign-in box, laid out in dialog units in the system's dialog font.
#include "window/win32/CredentialsDialog.h"

#include "platform/win32/Utf.h"
#include "transfer/ProxyAuth.h"
#include "window/win32/DialogTemplate.h"

namespace pellinor {
namespace {

// The prompt has the id of a message box's text, so that whatever reads boxes reads it.
constexpr WORD kPromptId = 0xFFFF;
constexpr WORD kUserLabelId = 101;
constexpr WORD kPasswordLabelId = 103;
constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
constexpr DWORD kItem = WS_CHILD | WS_VISIBLE;

struct Answer {
    std::wstring user;
    std::wstring password;
};

std::wstring FieldText(HWND dialog, WORD id) {
    std::wstring text(kMaxProxyCredential + 1, L'\0');
    const int length = ::GetDlgItemTextW(dialog, id, text.data(), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            ::SendDlgItemMessageW(dialog, kCredentialsUserId, EM_LIMITTEXT, kMaxProxyCredential, 0);
            ::SendDlgItemMessageW(dialog, kCredentialsPasswordId, EM_LIMITTEXT, kMaxProxyCredential,
                                  0);
            ::SetForegroundWindow(dialog);
            return TRUE;  // the focus goes to the user name
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* answer = reinterpret_cast<Answer*>(::GetWindowLongPtrW(dialog, DWLP_USER));
                answer->user = FieldText(dialog, kCredentialsUserId);
                answer->password = FieldText(dialog, kCredentialsPasswordId);
                ::SetDlgItemTextW(dialog, kCredentialsPasswordId, L"");
                ::EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                ::SetDlgItemTextW(dialog, kCredentialsPasswordId, L"");
                ::EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void Wipe(std::wstring& text) {
    ::SecureZeroMemory(text.data(), text.size() * sizeof(wchar_t));
    text.clear();
}

}  // namespace

bool ShowCredentialsDialog(HINSTANCE instance, HWND owner, const CredentialsRequest& request,
                           std::string& user, std::string& password) {
    DialogTemplate t(kDialogStyle, 0, 7, 220, 104, Widen(request.caption));
    t.Font(8, L"MS Shell Dlg");
    t.Item(kItem | SS_LEFT | SS_NOPREFIX, 7, 7, 206, 26, kPromptId, kStaticAtom,
           Widen(request.prompt));
    t.Item(kItem | SS_LEFT, 7, 38, 60, 8, kUserLabelId, kStaticAtom, Widen(request.userLabel));
    t.Item(kItem | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 70, 36, 143, 12, kCredentialsUserId,
           kEditAtom, L"");
    t.Item(kItem | SS_LEFT, 7, 56, 60, 8, kPasswordLabelId, kStaticAtom,
           Widen(request.passwordLabel));
    t.Item(kItem | ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP, 70, 54, 143, 12,
           kCredentialsPasswordId, kEditAtom, L"");
    t.Item(kItem | BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 80, 50, 14, IDOK, kButtonAtom,
           Widen(request.ok));
    t.Item(kItem | BS_PUSHBUTTON | WS_TABSTOP, 163, 80, 50, 14, IDCANCEL, kButtonAtom,
           Widen(request.cancel));
    Answer answer;
    const INT_PTR result = ::DialogBoxIndirectParamW(instance, t.Get(), owner, DialogProc,
                                                     reinterpret_cast<LPARAM>(&answer));
    const bool ok = result == IDOK;
    if (ok) {
        user = Narrow(answer.user);
        password = Narrow(answer.password);
    }
    Wipe(answer.user);
    Wipe(answer.password);
    return ok;
}

}  // namespace pellinor
