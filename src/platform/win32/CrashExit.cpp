// The unhandled-exception filter that ends the process, and the error mode
// that keeps the system's own boxes away.
#include "platform/win32/CrashExit.h"

#include <windows.h>

#include <cstdio>

namespace pellinor {

namespace {
unsigned crashExitCode = 1;
void (*crashNote)(const std::string&) = nullptr;
volatile LONG crashed = 0;

// The process is terminated rather than exited: after a fault, the
// libraries' own shutdown could wait on a lock the faulting code held.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* crash) {
    // A fault while the note is written ends the process without it.
    if (::InterlockedExchange(&crashed, 1) == 0 && crashNote) {
        char what[64];
        std::snprintf(what, sizeof what, "exception 0x%08lX at %p",
                      static_cast<unsigned long>(crash->ExceptionRecord->ExceptionCode),
                      crash->ExceptionRecord->ExceptionAddress);
        crashNote(what);
    }
    ::TerminateProcess(::GetCurrentProcess(), crashExitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

void EndProcessOnCrash(unsigned exitCode, void (*note)(const std::string& what)) {
    crashExitCode = exitCode;
    crashNote = note;
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(EndOnCrash);
}

}  // namespace pellinor
