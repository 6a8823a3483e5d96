// The process list through the Toolhelp snapshot, and ending a process.
#include "platform/win32/Win32Processes.h"

// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"

namespace pellinor {

std::vector<ProcessEntry> Win32Processes::Snapshot() {
    std::vector<ProcessEntry> entries;
    ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        entry.szExeFile[MAX_PATH - 1] = L'\0';
        entries.push_back(ProcessEntry{entry.th32ProcessID, Narrow(entry.szExeFile)});
    }
    return entries;
}

bool Win32Processes::Terminate(uint32_t id) {
    ScopedHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, id));
    if (!process) return false;
    return ::TerminateProcess(process.Get(), 0) != FALSE;
}

}  // namespace pellinor
