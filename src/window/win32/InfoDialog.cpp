// The information dialog, made from a template in memory and laid out in
// pixels around its text once the text's size is known.
#include "window/win32/InfoDialog.h"

#include <algorithm>
#include <cstddef>

#include "platform/win32/ScopedHandles.h"
#include "window/win32/DialogTemplate.h"

namespace pellinor {

namespace {

constexpr WORD kTextId = 0xFFFF;  // the id a message box gives its text
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;  // and so no icon in the caption

struct DialogState {
    const InfoDialogRequest* request = nullptr;
    GdiObject<HFONT> font;
};

// The system's fonts and sizes of window parts. Windows XP knows the
// structure without its last field (added with Vista) and refuses a call
// that counts it; every later Windows takes the shorter form as well.
NONCLIENTMETRICSW Metrics() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    return metrics;
}

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
    SelectInDc select(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Sizes the dialog to its text the way a message dialog does: margins and
// button in units of the font's average character, the text wrapped at half
// the screen's width, the OK button centred below it.
void Arrange(HWND dialog, DialogState& state) {
    const NONCLIENTMETRICSW metrics = Metrics();
    state.font = GdiObject<HFONT>(::CreateFontIndirectW(&metrics.lfMessageFont));
    HFONT font =
        state.font ? state.font.Get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HWND text = ::GetDlgItem(dialog, kTextId);
    HWND ok = ::GetDlgItem(dialog, IDOK);
    ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    const WindowDc held(dialog, ::GetDC(dialog));
    HDC dc = held.Get();
    int charWidth = 6;
    int charHeight = 13;
    RECT textArea{0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    int captionWidth = 0;
    {
        SelectInDc select(dc, font);
        const std::wstring alphabet = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        SIZE size{};
        if (::GetTextExtentPoint32W(dc, alphabet.c_str(), 52, &size))
            charWidth = (size.cx / 26 + 1) / 2;
        TEXTMETRICW tm{};
        if (::GetTextMetricsW(dc, &tm)) charHeight = tm.tmHeight;
        const std::wstring& body = state.request->text;
        ::DrawTextW(dc, body.c_str(), static_cast<int>(body.size()), &textArea,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT);
    }
    {
        GdiObject<HFONT> captionFont(::CreateFontIndirectW(&metrics.lfCaptionFont));
        if (captionFont) captionWidth = TextWidth(dc, captionFont.Get(), state.request->caption);
    }

    const int horzMargin = ::MulDiv(8, charWidth, 4);
    const int vertMargin = ::MulDiv(8, charHeight, 8);
    const int vertSpacing = ::MulDiv(10, charHeight, 8);
    const int buttonWidth = ::MulDiv(50, charWidth, 4);
    const int buttonHeight = ::MulDiv(14, charHeight, 8);
    const int textWidth = textArea.right - textArea.left;
    const int textHeight = textArea.bottom - textArea.top;
    // Wide enough for the caption and the close box as well, so no part of
    // the title is cut off.
    const int captionNeeds = captionWidth + 3 * ::GetSystemMetrics(SM_CXSIZE);
    const int clientWidth =
        std::max({textWidth + 2 * horzMargin, buttonWidth + 2 * horzMargin, captionNeeds});
    const int clientHeight = textHeight + vertSpacing + buttonHeight + 2 * vertMargin;

    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    ::SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ::MoveWindow(text, (clientWidth - textWidth) / 2, vertMargin, textWidth, textHeight, FALSE);
    ::MoveWindow(ok, (clientWidth - buttonWidth) / 2, vertMargin + textHeight + vertSpacing,
                 buttonWidth, buttonHeight, FALSE);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            state = reinterpret_cast<DialogState*>(lParam);
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            if (state->request->closeAtOnce) {
                // Ended before it is ever shown.
                ::EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (state->request->openDialog) *state->request->openDialog = dialog;
            Arrange(dialog, *state);
            ::SetFocus(::GetDlgItem(dialog, IDOK));
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            // OK, Enter (the default button) and Esc or the close box (IDCANCEL).
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, IDOK);
                return TRUE;
            }
            break;
        case WM_DESTROY:
            if (state && state->request->openDialog) *state->request->openDialog = nullptr;
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

void ShowInfoDialog(HINSTANCE instance, HWND owner, const InfoDialogRequest& request) {
    // Placed in pixels once the text is measured: no place and size here.
    DialogTemplate writer(kDialogStyle, kDialogExStyle, 2, 0, 0, request.caption);
    writer.Item(WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, kTextId, kStaticAtom,
                request.text);
    writer.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, IDOK,
                kButtonAtom, L"OK");

    DialogState state;
    state.request = &request;
    ::DialogBoxIndirectParamW(instance, writer.Get(), owner, DialogProc,
                              reinterpret_cast<LPARAM>(&state));
    if (request.openDialog) *request.openDialog = nullptr;
}

}  // namespace pellinor
