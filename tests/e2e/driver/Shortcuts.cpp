// Shortcut files for the Wine tests.
#include "driver/Shortcuts.h"

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include "platform/win32/Utf.h"

namespace pellinor::e2e {

namespace {
std::string SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE)) return std::string();
    std::string folder = Narrow(path);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

template <typename T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};
}  // namespace

std::string UserDesktopFolder() {
    return SpecialFolder(CSIDL_DESKTOPDIRECTORY);
}
std::string PublicDesktopFolder() {
    return SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
}

bool MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& workingDirectory) {
    Released<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link.p)))) {
        return false;
    }
    link.p->SetPath(Widen(target).c_str());
    link.p->SetWorkingDirectory(Widen(workingDirectory).c_str());
    Released<IPersistFile> file;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) {
        return false;
    }
    return SUCCEEDED(file.p->Save(Widen(linkPath).c_str(), TRUE));
}

}  // namespace pellinor::e2e
