// Where the support log is, as the window tells it: the hint that shows
// while the mouse rests on the status bar.
// clang-format off
#include "Fixture.h"
#include <commctrl.h>
#include <shlobj.h>
// clang-format on

#include "platform/win32/Utf.h"

namespace pellinor::e2e {
namespace {

// The text of the tip's one tool, read inside the program's own memory,
// where the tooltip control keeps it.
std::string ToolText(HWND tip, DWORD processId, HWND owner, HWND tool) {
    constexpr size_t kChars = 1024;
    HANDLE process =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return "";
    const size_t size = sizeof(TOOLINFOW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        ::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    std::wstring text(kChars, L'\0');
    if (remote) {
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = owner;
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof info);
        ::WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
        ::SendMessageW(tip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
        ::ReadProcessMemory(process, remote + sizeof info, text.data(), kChars * sizeof(wchar_t),
                            nullptr);
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return Narrow(text.c_str());
}

TEST_F(WineTest, TheStatusBarsHintNamesTheSupportLog) {
    wchar_t local[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(
        ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)));
    UiDriver& ui = StartPellinor();
    ASSERT_TRUE(ui.Started());
    HWND tip = nullptr;
    for (HWND window : TopLevelWindowsOf(ui.ProcessId())) {
        if (WindowClass(window) == "tooltips_class32") tip = window;
    }
    ASSERT_NE(tip, nullptr) << "no hint";
    EXPECT_EQ(::GetWindow(tip, GW_OWNER), ui.MainWindow());
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(tip, ui.ProcessId(), ui.MainWindow(), ui.Handle(Control::StatusBar1)),
              Narrow(local) + "\\Pellinor\\Pellinor.log");
}

}  // namespace
}  // namespace pellinor::e2e
