// Creates each control of the layout table as a real child window.
#include "window/win32/Controls.h"

#include <string>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"

namespace pellinor {

namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind KindOf(const ControlLayout& layout) {
    switch (layout.kind) {
        case ControlKind::Label:
            // Drawn by the form: colours, transparency and vertical centring
            // are the form's business, the static keeps the text.
            return {WC_STATICW, SS_OWNERDRAW, 0};
        case ControlKind::Image:
            // The empty image only reports double-clicks; the other shows
            // the illustration.
            if (layout.control == Control::Image1) return {WC_STATICW, SS_LEFT | SS_NOTIFY, 0};
            return {WC_STATICW, SS_OWNERDRAW, 0};
        case ControlKind::Panel:
            return {WC_STATICW, SS_OWNERDRAW, WS_EX_CLIENTEDGE};
        case ControlKind::ProgressBar:
            return {PROGRESS_CLASSW, 0, 0};
        case ControlKind::Button:
            return {WC_BUTTONW, BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0};
        case ControlKind::CancelButton:
            return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::Edit:
            return {WC_EDITW, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::ListBox:
            return {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::StatusBar:
            // Placed by the layout, not by the bar's own docking.
            return {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0};
    }
    return {WC_STATICW, SS_LEFT, 0};
}

// Rows of 16 units: the cell of the "System" font the list uses. Where the
// system puts a taller face in its place (a replacement font that has the
// Chinese characters), the rows grow with it so that no descender is cut.
int ListItemHeight(HWND list, HFONT font, const DisplayScale& scale) {
    const int itemHeight = scale.Pixels(16);
    int cell = 0;
    const WindowDc held(list, ::GetDC(list));
    if (HDC dc = held.Get()) {
        const HGDIOBJ old = ::SelectObject(dc, font);
        TEXTMETRICW metrics{};
        if (::GetTextMetricsW(dc, &metrics)) cell = metrics.tmHeight;
        ::SelectObject(dc, old);
    }
    return cell > itemHeight ? cell : itemHeight;
}

}  // namespace

bool TakesFocus(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::CancelButton ||
           kind == ControlKind::Edit || kind == ControlKind::ListBox;
}

bool IsOwnerDrawn(const ControlLayout& layout) {
    return layout.kind == ControlKind::Label || layout.kind == ControlKind::Panel ||
           (layout.kind == ControlKind::Image && layout.control != Control::Image1);
}

bool MadeBeforeFirstPaint(const ControlLayout& layout) {
    const bool formPaintsIt = layout.kind == ControlKind::Label ||
                              layout.kind == ControlKind::Panel ||
                              layout.kind == ControlKind::Image;
    return layout.visible && !formPaintsIt;
}

bool HasSunkenEdge(const ControlLayout& layout) {
    return (KindOf(layout).exStyle & WS_EX_CLIENTEDGE) != 0;
}

std::wstring ControlText(HWND control) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring StatusBarText(const std::wstring& text) {
    return L"\t" + text;
}

HWND CreateControl(HWND parent, HINSTANCE instance, const ControlLayout& layout,
                   const DisplayScale& scale, HFONT font) {
    const WindowKind kind = KindOf(layout);
    const PixelRect place = scale.Rect(layout);
    // Siblings overlap (the illustration covers the list and the edit), so
    // each one keeps off the others' pixels.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
    if (layout.visible) style |= WS_VISIBLE;
    if (!layout.enabled) style |= WS_DISABLED;
    const bool statusBar = layout.kind == ControlKind::StatusBar;
    const std::wstring text = statusBar ? std::wstring() : Widen(layout.initialText);
    HWND control =
        ::CreateWindowExW(kind.exStyle, kind.className, text.c_str(), style, place.left, place.top,
                          place.width, place.height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(layout.control))),
                          instance, nullptr);
    if (!control) return nullptr;
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    switch (layout.kind) {
        case ControlKind::ListBox:
            ::SendMessageW(control, LB_SETITEMHEIGHT, 0,
                           MAKELPARAM(ListItemHeight(control, font, scale), 0));
            break;
        case ControlKind::ProgressBar:
            ::SendMessageW(control, PBM_SETRANGE32, 0, 100);
            break;
        case ControlKind::StatusBar: {
            int edges[1] = {-1};  // one panel over the whole bar
            ::SendMessageW(control, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(edges));
            const std::wstring barText = StatusBarText(Widen(layout.initialText));
            ::SendMessageW(control, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(barText.c_str()));
            break;
        }
        default:
            break;
    }
    return control;
}

std::optional<Event> ClickEventOf(Control control) {
    switch (control) {
        case Control::cmdExit:
            return Event::cmdExitClick;
        case Control::BitBtn1:
            return Event::BitBtn1Click;
        case Control::BitBtn2:
            return Event::BitBtn2Click;
        case Control::BitBtn3:
            return Event::BitBtn3Click;
        default:
            return std::nullopt;
    }
}

}  // namespace pellinor
