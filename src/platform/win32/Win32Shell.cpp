// The shell: the desktop folder, the working folder of shortcut files read
// through the shell's own shortcut object, and the shell's "open".
#include "platform/win32/Win32Shell.h"

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <utility>

#include "platform/Error.h"
#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32SystemInfo.h"

namespace pellinor {

namespace {
// The longest path the W file functions take.
constexpr int kLongestPath = 32768;

}  // namespace

Win32Shell::Win32Shell(std::function<HWND()> owner) : owner_(std::move(owner)) {}

std::string Win32Shell::DesktopFolder() {
    CoTaskMemory<PIDLIST_ABSOLUTE> pidl;
    const HWND owner = owner_ ? owner_() : nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(owner, CSIDL_DESKTOP, pidl.Out())) || !pidl.Get()) {
        return std::string();
    }
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(pidl.Get(), path)) return std::string();
    return Narrow(path);
}

std::string Win32Shell::ShortcutWorkingDirectory(const std::string& linkFile) {
    ComPtr<IShellLinkW> link;
    const HRESULT created = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IShellLinkW, link.Out());
    if (FAILED(created) || !link.Get()) {
        throw Error(SystemErrorText(static_cast<uint32_t>(created)));
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) || !file.Get()) {
        return std::string();
    }
    // A shortcut that cannot be loaded or names no working folder leaves the
    // buffer empty; the caller skips it, so the results are not looked at.
    const std::wstring path = Widen(linkFile);
    file->Load(path.c_str(), STGM_READ);
    // A buffer of MAX_PATH would cut a longer folder short without a word,
    // and the cut text can name another folder that holds another copy of
    // the lock program. Read it whole; a folder too long for the file
    // system is then simply not found.
    std::wstring folder(kLongestPath, L'\0');
    link->GetWorkingDirectory(folder.data(), kLongestPath);
    folder.resize(::wcsnlen(folder.c_str(), kLongestPath));
    if (folder.size() >= kLongestPath - 1) return std::string();  // filled up: cut short after all
    return Narrow(folder);
}

void Win32Shell::Open(const std::string& file) {
    const std::wstring path = Widen(file);
    ::ShellExecuteW(owner_ ? owner_() : nullptr, L"open", path.c_str(), L"", nullptr,
                    SW_SHOWNORMAL);
}

}  // namespace pellinor
