// The main window on Windows: Form1 of class "TForm1" with real child
// controls built from the layout table, the hidden application window that
// owns the boxes, and the message loop that runs the program's handlers.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/WindowsHeaders.h"
#include "window/Events.h"
#include "window/Window.h"
#include "window/win32/Fonts.h"

namespace pellinor {

class Win32Window final : public Window {
  public:
    explicit Win32Window(HINSTANCE instance);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Makes the main window, still hidden, with the controls of its first
    // paint that only they can paint. Throws pellinor::Error when the
    // system refuses.
    void Create();
    // Where the window's events go; set before the first event.
    void SetSink(EventSink* sink) { sink_ = sink; }
    // Runs the handler of one event. Every handler of the program runs
    // through here, so the program knows when none is running any more.
    void Fire(Event event);
    // Runs FormShow so that the captions are in place before the first
    // paint, then shows the window with Exit focused. The other controls and
    // the application window that owns the boxes are made after the first
    // paint, before the message loop reads any input.
    void Show(int showCommand);
    // The message loop; returns the exit code once the program has ended.
    int Run();

    HWND Handle() const { return main_; }
    // The hint that shows while the mouse rests on the status bar (the
    // support log's place); empty text: none.
    void SetStatusBarHint(const std::string& text);

    // Window
    void SetText(Control control, const std::string& text) override;
    std::string Text(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    void SetEnabled(Control control, bool enabled) override;
    void ListClear() override;
    void ListAppend(const std::string& item) override;
    int ListCount() const override;
    int ListSelectedIndex() const override;
    void ListSelect(int index) override;
    std::string ListItem(int index) const override;
    void SetProgressMax(int32_t max) override;
    void SetProgressPosition(int32_t position) override;
    void Repaint() override;
    void SetBusyCursor(bool busy) override;
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
    void ShowMessage(const std::string& text) override;
    bool AskCredentials(const CredentialsRequest& request, std::string& user,
                        std::string& password) override;
    void ProcessMessages() override;
    void WaitForMessage(uint32_t timeoutMs) override;
    void Close() override;
    void Terminate() override;

  private:
    // While a box is open, the rest of the program is disabled; afterwards
    // the main window is active again with its focus where it was.
    class ModalScope {
      public:
        explicit ModalScope(Win32Window& window);
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

      private:
        Win32Window& window_;
        bool disabledMain_ = false;
        HWND focus_ = nullptr;
    };

    static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
    // The look of one control the form draws (a label, the banner, a
    // picture), for the control itself or in its place before it is made.
    void PaintControlLook(Control control, HDC dc, const RECT& area, const std::wstring& text);
    // The form's paint while controls of its first paint are not made yet.
    void PaintControlsNotMade();
    void OnActivate(bool active);
    bool OnSetCursor();

    // Makes the controls of the layout table made before the first paint,
    // or the others (MadeBeforeFirstPaint).
    void CreateControls(bool beforeFirstPaint);
    // Makes the controls not made before the first paint, once; whatever
    // the program set on them meanwhile is kept in late_ and given to them here.
    void CreateLaterControls();
    // The hidden application window that owns the boxes, made at its first use.
    HWND BoxOwner();
    // The window's own message that decodes the illustration once it shows.
    static constexpr UINT kLoadIllustration = WM_APP + 1;
    void LoadIllustration();
    // The progress bar paints itself at once on every change of position
    // (under Wine), which would bypass the throttle of the download's
    // repaints; this lets it leave that paint to the next repaint instead.
    static LRESULT CALLBACK QuietBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    HWND Get(Control control) const { return controls_[static_cast<size_t>(control)]; }

    // Keyboard of the form: Tab and Shift+Tab over TabOrder(), Esc and Alt+X
    // click Exit, Enter clicks the focused button. True when it took the message.
    bool PreTranslate(const MSG& message);
    void Deliver(const MSG& message);
    void MoveFocus(int step);
    void FocusControl(HWND control);
    // Runs the click of a button if it can be clicked now (visible, enabled).
    bool ClickIfLive(Control button);

    // The close box, Exit and a successful command all end here: at once
    // when no handler runs, else when the outermost handler returns.
    void RequestClose();
    // The user's close (the close box, Alt+F4, the taskbar): the form is
    // asked first (a download asks whether to stop), then RequestClose.
    void OnCloseBox();
    void Finish();
    void ReportEscaped(const char* what);
    void RefreshCursor();
    std::wstring Title() const;

    HINSTANCE instance_;
    HWND main_ = nullptr;
    ScopedWindow application_;
    std::array<HWND, kControlCount> controls_{};
    // What the program set on a control not made yet (see CreateLaterControls).
    struct LateState {
        std::optional<std::string> text;  // UTF-8
        std::optional<bool> visible;
        std::optional<bool> enabled;
    };
    std::array<LateState, kControlCount> late_{};
    bool laterControlsMade_ = false;
    // The window's scale, from the screen it opens on (ScreenScale).
    DisplayScale scale_;
    FontCache fonts_;
    GdiObject<HBITMAP> illustration_;
    ImageList cancelGlyph_;
    ScopedIcon icon_;
    ScopedIcon smallIcon_;

    EventSink* sink_ = nullptr;
    int handlerDepth_ = 0;
    bool closeRequested_ = false;
    bool closeQuery_ = false;  // the form's close question is open
    int exitCode_ = 0;         // of a quit message that arrived while a handler ran
    bool finished_ = false;
    bool busy_ = false;
    // While set, a control whose state changes does not paint itself then;
    // the change is drawn by the next repaint or by the message loop.
    bool quietUpdate_ = false;
    bool paintLeftOut_ = false;  // a control left its paint during a quiet update
    HWND lastFocus_ = nullptr;   // the control to focus when the window is activated again
    HWND infoDialog_ = nullptr;  // the open information dialog, if any
};

}  // namespace pellinor
