// The sign-in box, laid out in dialog units in the system's dialog font.
#include "window/win32/CredentialsDialog.h"

#include <vector>

#include "platform/win32/Utf.h"
#include "transfer/ProxyAuth.h"

namespace pellinor {
namespace {

// The prompt has the id of a message box's text, so that whatever reads boxes reads it.
constexpr WORD kPromptId = 0xFFFF;
constexpr WORD kUserLabelId = 101;
constexpr WORD kPasswordLabelId = 103;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kButtonClass = 0x0080;

// A dialog template with its items: WORD-aligned, each item on a DWORD boundary.
class Template {
  public:
    Template(const std::wstring& caption, short width, short height, WORD items) {
        Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
        Dword(0);
        Word(items);
        Word(0);
        Word(0);
        Word(static_cast<WORD>(width));
        Word(static_cast<WORD>(height));
        Word(0);  // no menu
        Word(0);  // the dialog class
        String(caption);
        Word(8);
        String(L"MS Shell Dlg");
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
              const std::wstring& text) {
        if (words_.size() % 2 != 0) Word(0);
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        String(text);
        Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void String(const std::wstring& text) {
        words_.insert(words_.end(), text.begin(), text.end());
        Word(0);
    }
    std::vector<WORD> words_;
};

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
    Template t(Widen(request.caption), 220, 104, 7);
    t.Item(SS_LEFT | SS_NOPREFIX, 7, 7, 206, 26, kPromptId, kStaticClass, Widen(request.prompt));
    t.Item(SS_LEFT, 7, 38, 60, 8, kUserLabelId, kStaticClass, Widen(request.userLabel));
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 70, 36, 143, 12, kCredentialsUserId, kEditClass,
           L"");
    t.Item(SS_LEFT, 7, 56, 60, 8, kPasswordLabelId, kStaticClass, Widen(request.passwordLabel));
    t.Item(ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP, 70, 54, 143, 12,
           kCredentialsPasswordId, kEditClass, L"");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 80, 50, 14, IDOK, kButtonClass, Widen(request.ok));
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 163, 80, 50, 14, IDCANCEL, kButtonClass,
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
