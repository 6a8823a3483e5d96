// The main window's life: creation from the layout table, its window
// procedure, the handlers it runs and how the program ends.
#include "window/win32/Win32Window.h"

#include <exception>
#include <optional>
#include <vector>

#include "platform/Error.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32SystemInfo.h"
#include "window/Layout.h"
#include "window/Messages.h"
#include "window/win32/CancelGlyph.h"
#include "window/win32/Controls.h"
#include "window/win32/JpegImage.h"
#include "window/win32/Painting.h"
#include "window/win32/Resources.h"
#include "window/win32/ScreenScale.h"

namespace pellinor {

namespace {

constexpr wchar_t kApplicationClass[] = L"PellinorApplication";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kMainExStyle = 0;

std::optional<Control> ControlOfId(UINT_PTR id) {
    const auto index = static_cast<int>(id) - kControlIdBase;
    if (index <= 0 || index >= kControlCount) return std::nullopt;
    return static_cast<Control>(index);
}

HICON LoadIconResource(HINSTANCE instance, int id, int size) {
    return static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

void Register(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon,
              HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    if (::RegisterClassExW(&windowClass)) return;
    const DWORD error = ::GetLastError();
    if (error != ERROR_CLASS_ALREADY_EXISTS) {
        throw Error("Cannot register the window class " + Narrow(name) + ", error " +
                    std::to_string(error));
    }
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance) : instance_(instance) {}

Win32Window::~Win32Window() {
    finished_ = true;  // no more events while the windows go
    // The main window comes and goes with its own messages (main_ is set at
    // WM_NCCREATE and cleared at WM_DESTROY), so it is no owned handle.
    if (main_) ::DestroyWindow(main_);
}

void Win32Window::Create() {
    // Each at the size the display's scale asks for, drawn at that size.
    icon_.Reset(LoadIconResource(instance_, PELLINOR_MAINICON, ::GetSystemMetrics(SM_CXICON)));
    const int small = ::GetSystemMetrics(SM_CXSMICON);
    smallIcon_.Reset(
        LoadIconResource(instance_, small > 16 ? PELLINOR_SMALLICON : PELLINOR_MAINICON, small));
    const std::wstring mainClass = Widen(kMainWindowClass);
    Register(instance_, mainClass.c_str(), MainProc, icon_.Get(), smallIcon_.Get());
    Register(instance_, kApplicationClass, ApplicationProc, icon_.Get(), smallIcon_.Get());

    scale_ = ScreenScale(kMainStyle, kMainExStyle);
    fonts_.SetScale(scale_);
    RECT frame{0, 0, scale_.FormWidth(), scale_.FormHeight()};
    ::AdjustWindowRectEx(&frame, kMainStyle, FALSE, kMainExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Made where it shows, centred on the screen: moving it there later
    // costs the start a call through the window manager.
    const POINT place = CentredOnScreen(width, height);
    // The stored caption: FormShow writes the real one before the first paint.
    ::CreateWindowExW(kMainExStyle, mainClass.c_str(), L"Form1", kMainStyle, place.x, place.y,
                      width, height, nullptr, nullptr, instance_, this);
    if (!main_) {
        throw Error("Cannot create the main window, error " + std::to_string(::GetLastError()));
    }
    controls_[static_cast<size_t>(Control::Form)] = main_;
    CreateControls(true);

    ::SetWindowSubclass(Get(Control::ProgressBar1), QuietBarProc, 0,
                        reinterpret_cast<DWORD_PTR>(this));

    cancelGlyph_ = MakeCancelGlyph(scale_.Pixels(kCancelGlyphSize));
    if (cancelGlyph_.Get()) {
        BUTTON_IMAGELIST glyph{};
        glyph.himl = cancelGlyph_.Get();
        glyph.margin = RECT{scale_.Pixels(8), 0, 0, 0};
        glyph.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
        ::SendMessageW(Get(Control::cmdExit), BCM_SETIMAGELIST, 0,
                       reinterpret_cast<LPARAM>(&glyph));
    }
}

void Win32Window::CreateControls(bool beforeFirstPaint) {
    const auto& layouts = ControlLayouts();
    for (auto at = layouts.begin(); at != layouts.end(); ++at) {
        if (MadeBeforeFirstPaint(*at) != beforeFirstPaint) continue;
        // What the program set on a control before it was made.
        ControlLayout made = *at;
        const LateState& state = late_[static_cast<size_t>(at->control)];
        if (state.text) made.initialText = state.text->c_str();
        if (state.visible) made.visible = *state.visible;
        if (state.enabled) made.enabled = *state.enabled;
        HWND control = CreateControl(main_, instance_, made, scale_,
                                     fonts_.Get(made.fontName, made.fontHeight));
        if (!control) {
            throw Error("Cannot create a control of the main window, error " +
                        std::to_string(::GetLastError()));
        }
        controls_[static_cast<size_t>(at->control)] = control;
        // Later controls of the table lie above earlier ones where they
        // overlap, whenever each is made: right below the first later one
        // that exists, or on top.
        HWND above = HWND_TOP;
        for (auto later = at + 1; later != layouts.end() && above == HWND_TOP; ++later) {
            if (HWND existing = Get(later->control)) above = existing;
        }
        ::SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Win32Window::CreateLaterControls() {
    if (laterControlsMade_ || !main_) return;
    laterControlsMade_ = true;
    CreateControls(false);
}

HWND Win32Window::BoxOwner() {
    // Owner of the boxes: never shown, so a box it owns is centred on the
    // screen rather than on the main window.
    if (!application_) {
        application_.Reset(::CreateWindowExW(0, kApplicationClass, Title().c_str(), WS_POPUP, 0, 0,
                                             0, 0, nullptr, nullptr, instance_, this));
    }
    return application_.Get();
}

void Win32Window::SetStatusBarHint(const std::string& text) {
    HWND bar = Get(Control::StatusBar1);
    if (!main_ || !bar || text.empty()) return;
    // Owned by the main window, which destroys it with itself.
    HWND tip =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr, instance_, nullptr);
    if (!tip) return;
    std::wstring wide = Widen(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = main_;
    tool.uId = reinterpret_cast<UINT_PTR>(bar);
    tool.lpszText = wide.data();  // copied by the control
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // A long path on one line rather than cut.
    ::SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, scale_.Pixels(900));
}

void Win32Window::Show(int showCommand) {
    if (!main_ || finished_) return;
    Fire(Event::FormShow);
    if (!main_ || finished_) return;

    lastFocus_ = Get(Control::cmdExit);
    // Only a minimised start is honoured: the window has one size.
    const bool minimised = showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
                           showCommand == SW_SHOWMINNOACTIVE;
    ::ShowWindow(main_, minimised ? showCommand : SW_SHOWNORMAL);
    ::UpdateWindow(main_);
    if (::GetActiveWindow() == main_) FocusControl(lastFocus_);
    // The other controls come after the first paint, which had the form
    // paint the look of those that show: on an old PC each window made
    // costs the start a millisecond or more. Nothing runs in between.
    CreateLaterControls();
    if (!BoxOwner()) {
        throw Error("Cannot create the application window, error " +
                    std::to_string(::GetLastError()));
    }
    // Decoding the illustration takes longer than making the whole window,
    // so the window shows first and the picture follows a moment later.
    ::PostMessageW(main_, kLoadIllustration, 0, 0);
}

void Win32Window::LoadIllustration() {
    const PixelRect picture = scale_.Rect(LayoutOf(Control::Image2));
    illustration_ =
        LoadJpegResource(instance_, PELLINOR_ILLUSTRATION, picture.width, picture.height);
    ::InvalidateRect(Get(Control::Image2), nullptr, FALSE);
}

void Win32Window::Fire(Event event) {
    if (!sink_ || finished_) return;
    ++handlerDepth_;
    // The form reports a handler's errors itself; this is the last guard, as
    // no exception may cross the system's call into the window procedure.
    try {
        sink_->Dispatch(event);
    } catch (const std::exception& error) {
        ReportEscaped(error.what());
    } catch (...) {
        ReportEscaped("Unexpected error");
    }
    --handlerDepth_;
    if (handlerDepth_ == 0 && closeRequested_) Finish();
}

void Win32Window::ReportEscaped(const char* what) {
    try {
        ModalScope modal(*this);
        ::MessageBoxW(BoxOwner(), Widen(ErrorReportText(what)).c_str(), Title().c_str(),
                      MB_OK | MB_ICONERROR);
    } catch (...) {
        // Nothing is left to report it with.
    }
}

void Win32Window::Close() {
    RequestClose();
}
void Win32Window::Terminate() {
    RequestClose();
}

void Win32Window::RequestClose() {
    // A running handler goes on to its end; an information dialog opened
    // from now on ends at once (see ShowMessage).
    closeRequested_ = true;
    if (infoDialog_) ::EndDialog(infoDialog_, IDOK);
    if (handlerDepth_ == 0) Finish();
}

void Win32Window::OnCloseBox() {
    // A second close while the question is open (a posted WM_CLOSE; the
    // close box itself is disabled with the window) waits for its answer.
    if (closeQuery_) return;
    if (sink_ && !finished_) {
        closeQuery_ = true;
        bool close = true;
        try {
            close = sink_->CloseQuery();
        } catch (...) {
            // As before there was a question: the close goes ahead.
        }
        closeQuery_ = false;
        if (!close) return;
    }
    RequestClose();
}

void Win32Window::Finish() {
    if (finished_) return;
    finished_ = true;
    if (main_) {
        ::DestroyWindow(main_);  // its WM_DESTROY posts the quit message
    } else {
        ::PostQuitMessage(exitCode_);
    }
}

std::wstring Win32Window::Title() const {
    return Widen(ApplicationTitle(ExecutableFilePath()));
}

LRESULT CALLBACK Win32Window::ApplicationProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    // Closing the application closes the program like the main window's close box.
    if (message == WM_CLOSE && self) {
        self->OnCloseBox();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->main_ = window;
    }
    auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->main_ != window) return ::DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMain(message, wParam, lParam);
}

LRESULT Win32Window::HandleMain(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = main_;
    switch (message) {
        case WM_NCCALCSIZE: {
            const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
            RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                  : reinterpret_cast<RECT*>(lParam);
            const int band = scale_.Pixels(kFormBorderWidth);
            ::InflateRect(client, -band, -band);
            return result;
        }
        case WM_NCPAINT:
        case WM_NCACTIVATE: {
            const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
            PaintBorderBand(window, scale_.Pixels(kFormBorderWidth));
            return result;
        }
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == static_cast<UINT_PTR>(ControlId(Control::StatusBar1)) &&
                header->code == static_cast<UINT>(NM_DBLCLK)) {
                Fire(Event::StatusBar1DblClick);
            }
            return 0;
        }
        case WM_DRAWITEM:
            return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_PAINT:
            if (laterControlsMade_) break;
            PaintControlsNotMade();
            return 0;
        case WM_ACTIVATE:
            if (HIWORD(wParam) == 0) OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor()) return TRUE;
            break;
        case WM_SETTINGCHANGE:
            Fire(Event::SettingChange);
            break;
        case kLoadIllustration:
            LoadIllustration();
            return 0;
        case WM_CLOSE:
            OnCloseBox();
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(exitCode_);
            return 0;
        case WM_NCDESTROY:
            main_ = nullptr;
            controls_.fill(nullptr);
            lastFocus_ = nullptr;
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Window::OnCommand(WPARAM wParam, LPARAM lParam) {
    const std::optional<Control> control = ControlOfId(LOWORD(wParam));
    const auto from = reinterpret_cast<HWND>(lParam);
    if (!control || !from || from != Get(*control)) return 0;
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        // A click that reaches a disabled button (a posted BM_CLICK, say) is
        // no click of the user's.
        const std::optional<Event> event = ClickEventOf(*control);
        if (event && ::IsWindowEnabled(from)) Fire(*event);
    } else if (code == STN_DBLCLK && *control == Control::Image1) {
        Fire(Event::Image1DblClick);
    }
    return 0;
}

LRESULT Win32Window::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const std::optional<Control> control = ControlOfId(item.CtlID);
    if (!control) return FALSE;
    const ControlLayout& layout = LayoutOf(*control);
    if (quietUpdate_ && layout.kind != ControlKind::Image) {
        // A label paints itself at once when its text changes (under Wine);
        // SetText has it painted with the next repaint instead.
        paintLeftOut_ = true;
        return TRUE;
    }
    if (!IsOwnerDrawn(layout)) return FALSE;
    PaintControlLook(*control, item.hDC, item.rcItem, ControlText(item.hwndItem));
    return TRUE;
}

void Win32Window::PaintControlLook(Control control, HDC dc, const RECT& area,
                                   const std::wstring& text) {
    const ControlLayout& layout = LayoutOf(control);
    switch (layout.kind) {
        case ControlKind::Label:
            PaintLabel(dc, area, text, layout, fonts_.Get(layout.fontName, layout.fontHeight));
            break;
        case ControlKind::Panel:
            PaintPanel(dc, area, text, layout, scale_,
                       fonts_.Get(layout.fontName, layout.fontHeight));
            break;
        case ControlKind::Image:
            // The illustration's place; the other picture is empty.
            PaintPicture(dc, area, IsOwnerDrawn(layout) ? illustration_.Get() : nullptr);
            break;
        default:
            break;
    }
}

void Win32Window::PaintControlsNotMade() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(main_, &paint);
    if (!dc) return;
    // In the table's order, as later controls lie above earlier ones; the
    // controls already made keep their pixels (WS_CLIPCHILDREN).
    for (const ControlLayout& layout : ControlLayouts()) {
        const LateState& state = late_[static_cast<size_t>(layout.control)];
        if (Get(layout.control) || !state.visible.value_or(layout.visible)) continue;
        const PixelRect place = scale_.Rect(layout);
        RECT area{place.left, place.top, place.Right(), place.Bottom()};
        // The edge the system draws around the control's own paint.
        if (HasSunkenEdge(layout)) ::DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        PaintControlLook(layout.control, dc, area, Widen(Text(layout.control)));
    }
    ::EndPaint(main_, &paint);
}

void Win32Window::OnActivate(bool active) {
    // Like a dialog, the window gives the focus back to the control that had
    // it when the window was last left (a box, another program).
    if (!active) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(main_, focus)) lastFocus_ = focus;
        return;
    }
    HWND target = lastFocus_;
    if (!target || !::IsWindow(target) || !::IsWindowVisible(target) ||
        !::IsWindowEnabled(target)) {
        target = nullptr;
        for (Control control : TabOrder()) {
            HWND candidate = Get(control);
            if (TakesFocus(LayoutOf(control).kind) && ::IsWindowVisible(candidate) &&
                ::IsWindowEnabled(candidate)) {
                target = candidate;
                break;
            }
        }
    }
    ::SetFocus(target ? target : main_);
}

bool Win32Window::OnSetCursor() {
    if (!busy_) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

}  // namespace pellinor
