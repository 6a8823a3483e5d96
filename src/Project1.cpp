// Pellinor.exe's entry: the platform services, Form1 created and shown, COM
// on the window thread, and the message loop until the program ends.

#include "Unit1.h"
#include "Version.h"
#include "commands/Downloads.h"
#include "commands/PublisherKeys.h"
#include "commands/signatures/CheckedSignatures.h"
#include "log/LogEvent.h"
#include "log/LogLine.h"
#include "platform/win32/CrashExit.h"
#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32CommandLock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FileVersions.h"
#include "platform/win32/Win32LogPlace.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32ProxyConfig.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Signatures.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32TlsSessions.h"
#include "platform/win32/WindowsHeaders.h"
#include "system/Platform.h"
#include "unattended/CallbackPump.h"
#include "unattended/CommandLine.h"
#include "unattended/ExitCodes.h"
#include "unattended/UnattendedRollback.h"
#include "unattended/UnattendedUpgrade.h"
#include "window/win32/FirstCopy.h"
#include "window/win32/Win32Window.h"

namespace {

// "Pellinor 1.0.0.0", as the version resource says it.
std::string ProgramVersion() {
    return "Pellinor " + std::to_string(PELLINOR_VERSION_MAJOR) + "." +
           std::to_string(PELLINOR_VERSION_MINOR) + "." + std::to_string(PELLINOR_VERSION_PATCH) +
           "." + std::to_string(PELLINOR_VERSION_BUILD);
}

// The publisher keys this build carries, as the build wrote them from the
// certificates it was given: each key's SubjectPublicKeyInfo (DER) and its
// SHA-256. None in a build given no certificates.
const pellinor::PublisherKeys& BuiltInPublisherKeys() {
    static const pellinor::PublisherKeys keys = {
#include "PublisherKeyList.inc"
    };
    return keys;
}

// The system's services, the same for the window and the upgrade without one.
struct Services {
    Services(pellinor::Win32FileSystem& fileSystem, std::string ownFolder)
        : files(fileSystem), dataFolder(std::move(ownFolder)) {}
    pellinor::Win32FileSystem& files;
    std::string dataFolder;  // the log's, where replaced programs are kept too
    pellinor::Win32Processes processes;
    pellinor::Win32Registry registry;
    pellinor::Win32SystemInfo system;
    pellinor::Win32Signatures systemSignatures;
    // Every command's signature checks: the program's own first, then the system's.
    pellinor::CheckedSignatures signatures{systemSignatures, files};
    pellinor::Win32FileVersions versions;
    pellinor::Win32CommandLock commandLock;
    pellinor::Win32ProxyConfig proxies;
    pellinor::Win32TlsSessions tls;

    // The services with the thread's message pump and the shell of the
    // window (or of none).
    pellinor::Platform With(pellinor::MessagePump& messages, pellinor::Shell& shell) {
        return {messages,   files,    processes,   registry, shell,     system,
                signatures, versions, commandLock, &tls,     dataFolder};
    }
};

// Runs the thread's pending messages: COM's, while no window is there.
void PumpThreadMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Pellinor.exe /upgrade and /rollback: no window is made and no box is
// shown; the exit code says how it ended, and so does the log's last line.
int RunWithoutWindow(const pellinor::CommandLine& request, pellinor::Win32FileSystem& files,
                     const std::string& dataFolder) {
    using namespace pellinor;
    try {
        ComApartment com;
        Services services{files, dataFolder};
        CallbackPump messages(PumpThreadMessages, [](uint32_t ms) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
            PumpThreadMessages();
        });
        Win32Shell shell([] { return static_cast<HWND>(nullptr); });
        Platform platform = services.With(messages, shell);
        if (request.rollback)
            return EndRollbackWith(
                RunUnattendedRollback(platform, BuiltInPublisherKeys(), request));
        return EndWith(
            RunUnattendedUpgrade(platform, services.proxies, BuiltInPublisherKeys(), request));
    } catch (const std::exception& error) {
        LogEvent("failed: " + Quoted(error.what()));
        return EndWith(ExitCode::Unexpected);
    }
}

int RunProgram(HINSTANCE instance, const std::string& arguments, int showCommand) {
    using namespace pellinor;
    Win32FileSystem files;
    const std::string dataFolder = SupportLogFolder(LocalAppDataFolder());
    FileLog log(files, LocalTimeNow, dataFolder);
    const LogScope logging(log);
    // The arguments as the program reads them; an address's password left out.
    std::string started = "start " + ProgramVersion() + " " + Quoted(ExecutableFilePath());
    for (const std::string& argument : SplitCommandLine(arguments)) {
        started += " " + Quoted(AddressForLog(argument));
    }
    // Which publisher keys decide what may run: support reads it first.
    LogEvent(started + "; publisher keys: " + KeysForLog(BuiltInPublisherKeys()));

    // Without a command line the program is the window, as it always was.
    const ParsedCommandLine parsed = ParseCommandLine(SplitCommandLine(arguments));
    if (!parsed.problem.empty()) {
        // No window either: a deployment tool waits for the program's end,
        // and nobody would be there to close a window.
        LogEvent("command line refused: " + parsed.problem);
        return EndWith(ExitCode::BadCommandLine);
    }
    if (parsed.request.upgrade || parsed.request.rollback)
        return RunWithoutWindow(parsed.request, files, dataFolder);

    // A second start in the session (a double click too many, a second
    // shortcut) shows the copy that runs instead of upgrading beside it.
    const FirstCopy copy;
    if (!copy.IsFirst()) {
        LogEvent("another copy runs in this session: shown instead");
        FirstCopy::BringToFront();
        return 0;
    }

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC =
        ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    Services services{files, dataFolder};
    Win32Window window(instance);
    Win32Shell shell([&window] { return window.Handle(); });
    Platform platform = services.With(window, shell);

    // The window and its controls exist before FormCreate runs, as the form
    // is created from its stored layout first.
    window.Create();
    FirstCopy::MarkWindow(window.Handle());
    Downloads downloads(services.files, &window, &services.tls);
    downloads.UseProxySettings(services.proxies);
    downloads.KeepParts(platform.dataFolder);
    TForm1 form(platform, window, downloads, BuiltInPublisherKeys());
    window.SetSink(&form);
    window.Fire(Event::FormCreate);
    window.Show(showCommand);
    // Where support finds what happened: a hint on the status bar, which
    // keeps its own text (the language switch). Its window is made once the
    // main window shows, as nobody can point at the bar before.
    window.SetStatusBarHint(log.Path());
    // COM once the window shows: nothing before needs it (shortcuts are read
    // and programs checked only at a click), and loading ole32.dll and what
    // it brings (cmake/delay-load.cmake) would hold the window back.
    ComApartment com;
    return window.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    // A crash ends the program with one line in the log and its own exit code.
    pellinor::EndProcessOnCrash(
        static_cast<unsigned>(pellinor::ExitCode::Crashed), [](const std::string& what) {
            pellinor::LogEvent("crashed: " + what + "; exit " +
                               pellinor::ExitCodeText(pellinor::ExitCode::Crashed));
        });
    try {
        return RunProgram(instance, commandLine ? pellinor::Narrow(commandLine) : std::string(),
                          showCommand);
    } catch (const std::exception& error) {
        // Only start-up can get here (a window the system refused to make):
        // every handler's errors are reported where they happen.
        ::MessageBoxW(nullptr, pellinor::Widen(error.what()).c_str(), L"Pellinor",
                      MB_OK | MB_ICONERROR);
        return 1;
    }
}
