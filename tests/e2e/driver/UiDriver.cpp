// The UI driver of the Wine tests: reads and drives Pellinor's main window
// from the test process.
#include "driver/UiDriver.h"

#include <commctrl.h>

#include "driver/Input.h"
#include "platform/win32/Utf.h"

namespace pellinor::e2e {

namespace {
// Sent messages give up when Pellinor's thread is busy, so a test fails with
// a message instead of hanging.
constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

// A buffer inside Pellinor's own address space, for the common-control
// messages whose pointers the system does not carry across processes.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, size_t bytes) : process_(process), bytes_(bytes) {
        address_ =
            ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    void* address() const { return address_; }
    std::wstring ReadText() const {
        std::wstring text(bytes_ / sizeof(wchar_t), L'\0');
        SIZE_T got = 0;
        if (!address_ || !::ReadProcessMemory(process_, address_, text.data(), bytes_, &got)) {
            return std::wstring();
        }
        text.resize(got / sizeof(wchar_t));
        const size_t zero = text.find(L'\0');
        if (zero != std::wstring::npos) text.resize(zero);
        return text;
    }

  private:
    HANDLE process_;
    size_t bytes_;
    void* address_ = nullptr;
};

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindows*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId) search->found.push_back(window);
    return TRUE;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChildById(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (::GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

std::string WindowText(HWND window) {
    const LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return Narrow(text);
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    ProcessWindows search{processId, {}};
    ::EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowClass(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return Narrow(name);
}

std::string UiDriver::DefaultExePath() {
    return ExeFolder() + "Pellinor.exe";
}

UiDriver::UiDriver(const std::string& exePath, uint32_t timeoutMs)
    : process_(std::make_unique<ChildProcess>(exePath)) {
    if (!process_->Started()) return;
    WaitUntil(
        [this] {
            main_ = FindMainWindow();
            return main_ != nullptr || !process_->Running();
        },
        timeoutMs);
    if (!main_) return;
    thread_ = ::GetWindowThreadProcessId(main_, nullptr);
    // The captions are written while the window is shown; wait until the
    // program sits idle in its message loop before anyone reads them.
    ::WaitForInputIdle(process_->Handle(), timeoutMs);
}

HWND UiDriver::FindMainWindow() const {
    for (HWND window : TopLevelWindowsOf(process_->Id())) {
        if (WindowClass(window) == kMainWindowClass && ::IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND UiDriver::Handle(Control control) const {
    if (control == Control::Form) return main_;
    const int id = ControlId(control);
    auto known = handles_.find(id);
    if (known != handles_.end() && ::IsWindow(known->second)) return known->second;
    ChildSearch search{id, nullptr};
    if (main_) ::EnumChildWindows(main_, FindChildById, reinterpret_cast<LPARAM>(&search));
    if (search.found) handles_[id] = search.found;
    return search.found;
}

std::string UiDriver::Caption() const {
    return WindowText(main_);
}

SIZE UiDriver::ClientSize() const {
    RECT client{};
    ::GetClientRect(main_, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

std::string UiDriver::ClassName(Control control) const {
    return WindowClass(Handle(control));
}

std::string UiDriver::Text(Control control) const {
    const HWND window = Handle(control);
    if (!window) return std::string();
    if (WindowClass(window) == Narrow(STATUSCLASSNAMEW)) return StatusBarText(window);
    return WindowText(window);
}

std::string UiDriver::StatusBarText(HWND bar) const {
    const LRESULT length = Send(bar, SB_GETTEXTLENGTHW, 0, 0);
    const size_t chars = static_cast<size_t>(LOWORD(length)) + 1;
    RemoteBuffer buffer(process_->Handle(), chars * sizeof(wchar_t));
    if (!buffer.address()) return std::string();
    Send(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(buffer.address()));
    std::wstring text = buffer.ReadText();
    // A leading tab centres the panel's text, two align it right.
    const size_t start = text.find_first_not_of(L'\t');
    return Narrow(start == std::wstring::npos ? std::wstring() : text.substr(start));
}

bool UiDriver::Visible(Control control) const {
    const HWND window = Handle(control);
    return window && (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool UiDriver::Enabled(Control control) const {
    const HWND window = Handle(control);
    return window && ::IsWindowEnabled(window);
}

RECT UiDriver::Rect(Control control) const {
    RECT rect{};
    const HWND window = Handle(control);
    if (!window) return rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(HWND_DESKTOP, main_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int UiDriver::ListCount() const {
    return static_cast<int>(Send(Handle(Control::ListBox2), LB_GETCOUNT, 0, 0));
}

int UiDriver::ListSelection() const {
    return static_cast<int>(Send(Handle(Control::ListBox2), LB_GETCURSEL, 0, 0));
}

std::string UiDriver::ListItem(int index) const {
    const HWND list = Handle(Control::ListBox2);
    const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return std::string();
    // The system carries LB_GETTEXT's buffer across processes itself.
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        Send(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return Narrow(text);
}

std::vector<std::string> UiDriver::ListItems() const {
    std::vector<std::string> items;
    const int count = ListCount();
    for (int i = 0; i < count; ++i) items.push_back(ListItem(i));
    return items;
}

int UiDriver::ProgressPosition() const {
    return static_cast<int>(Send(Handle(Control::ProgressBar1), PBM_GETPOS, 0, 0));
}

int UiDriver::ProgressMax() const {
    return static_cast<int>(Send(Handle(Control::ProgressBar1), PBM_GETRANGE, FALSE, 0));
}

void UiDriver::Click(Control button) {
    ::PostMessageW(Handle(button), BM_CLICK, 0, 0);
}

void UiDriver::SelectListItem(int index) {
    const HWND list = Handle(Control::ListBox2);
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // LB_SETCURSEL tells nobody; a user's click would notify the parent.
    ::PostMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

void UiDriver::SetEditText(const std::string& text) {
    const std::wstring wide = Widen(text);
    Send(Handle(Control::Edit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void UiDriver::AddListItemRaw(const std::string& text) {
    const std::wstring wide = Widen(text);
    Send(Handle(Control::ListBox2), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void UiDriver::DoubleClick(Control control) {
    const RECT rect = Rect(control);
    DoubleClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void UiDriver::DoubleClickAt(POINT client) {
    POINT screen = client;
    ::ClientToScreen(main_, &screen);
    RealDoubleClick(screen);
}

void UiDriver::RealClick(Control control) {
    const RECT rect = Rect(control);
    POINT screen{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(main_, &screen);
    pellinor::e2e::RealClick(screen);
}

HWND UiDriver::Focus() const {
    return FocusOf(thread_, nullptr);
}

void UiDriver::PostDoubleClick(Control control) {
    const HWND window = Handle(control);
    RECT client{};
    ::GetClientRect(window, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(window, WM_LBUTTONUP, 0, at);
    ::PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageW(window, WM_LBUTTONUP, 0, at);
}

void UiDriver::PressRealKey(WORD virtualKey, bool alt) {
    RealKey(main_, virtualKey, alt);
}

void UiDriver::PressKey(WORD virtualKey, bool alt) {
    PostKey(FocusOf(thread_, main_), virtualKey, alt);
}

std::optional<DialogInfo> UiDriver::WaitForDialog(uint32_t timeoutMs) const {
    std::vector<HWND> dialogs;
    if (!WaitUntil([&] { return !(dialogs = Dialogs()).empty(); }, timeoutMs)) return std::nullopt;
    return ReadDialog(dialogs.front());
}

}  // namespace pellinor::e2e
