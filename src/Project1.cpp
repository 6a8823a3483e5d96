// Pellinor.exe's entry: COM on the window thread, the platform services,
// Form1 created and shown, and the message loop until the program ends.

#include "Unit1.h"
#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32CommandLock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FileVersions.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32ProxyConfig.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Signatures.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/WindowsHeaders.h"
#include "system/Platform.h"
#include "window/win32/FirstCopy.h"
#include "window/win32/Win32Window.h"

namespace {

int RunProgram(HINSTANCE instance, int showCommand) {
    using namespace pellinor;
    // A second start in the session (a double click too many, a second
    // shortcut) shows the copy that runs instead of upgrading beside it.
    const FirstCopy copy;
    if (!copy.IsFirst()) {
        FirstCopy::BringToFront();
        return 0;
    }
    ComApartment com;

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC =
        ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    Win32Window window(instance);
    Win32FileSystem files;
    Win32Processes processes;
    Win32Registry registry;
    Win32Shell shell([&window] { return window.Handle(); });
    Win32SystemInfo system;
    Win32Signatures signatures;
    Win32FileVersions versions;
    Win32CommandLock commandLock;
    Platform platform{window, files,      processes, registry,   shell,
                      system, signatures, versions,  commandLock};

    // The window and its controls exist before FormCreate runs, as the form
    // is created from its stored layout first.
    window.Create();
    FirstCopy::MarkWindow(window.Handle());
    Win32ProxyConfig proxies;
    TForm1 form(platform);
    form.UseProxySettings(proxies);
    window.SetSink(&form);
    window.Fire(Event::FormCreate);
    window.Show(showCommand);
    const int exitCode = window.Run();
    // The unit's global text is released at the end.
    SystemLanguageName.clear();
    SystemLanguageName.shrink_to_fit();
    return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        return RunProgram(instance, showCommand);
    } catch (const std::exception& error) {
        // Only start-up can get here (a window the system refused to make):
        // every handler's errors are reported where they happen.
        ::MessageBoxW(nullptr, pellinor::Widen(error.what()).c_str(), L"Pellinor",
                      MB_OK | MB_ICONERROR);
        return 1;
    }
}
