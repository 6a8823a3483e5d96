// The entry of pellinor-fetch.exe: UTF-16 arguments and the console,
// through the win32 layer, which alone sees <windows.h>.
#include <string>
#include <vector>

#include "commands/signatures/CheckedSignatures.h"
#include "fetch/FetchArguments.h"
#include "fetch/FetchRun.h"
#include "log/SupportLog.h"
#include "platform/win32/ConsoleTool.h"
#include "platform/win32/CrashExit.h"
#include "platform/win32/Win32LogPlace.h"
#include "platform/win32/Win32ProxyConfig.h"
#include "platform/win32/Win32Signatures.h"
#include "platform/win32/Win32TlsSessions.h"

int wmain(int argc, wchar_t** argv) {
    pellinor::EndProcessOnCrash(pellinor::kFetchCrashed, [](const std::string& what) {
        pellinor::WriteConsoleText(pellinor::ConsoleStream::Error,
                                   "pellinor-fetch: crashed: " + what + "\n");
    });
    const std::unique_ptr<pellinor::FileSystem> files = pellinor::NewWin32FileSystem();
    pellinor::Win32ProxyConfig proxies;
    pellinor::Win32Signatures systemSignatures;
    pellinor::CheckedSignatures signatures(systemSignatures, *files);
    pellinor::Win32TlsSessions tls;
    pellinor::FetchSite site{
        *files,
        [](const std::string& text) {
            pellinor::WriteConsoleText(pellinor::ConsoleStream::Output, text);
        },
        [](const std::string& text) {
            pellinor::WriteConsoleText(pellinor::ConsoleStream::Error, text);
        },
        nullptr,  // the file system takes paths as typed
        &proxies,
        &signatures,
        &tls,
        pellinor::SupportLogFolder(pellinor::LocalAppDataFolder()),
    };
    return pellinor::RunFetch(pellinor::Utf8Arguments(argc, argv), site);
}
