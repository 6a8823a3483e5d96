// Winsock started when ws2_32.dll is first loaded, not before the program's
// first line. Compiled into each executable (see cmake/windows.cmake).
//
// ws2_32.dll is delay-loaded (cmake/delay-load.cmake): the first socket call
// loads it. Asio, though, starts Winsock in a static initialiser of every
// file that includes it, which would load the DLL during start-up all the
// same. So Asio is told that the program manages Winsock itself, and the
// delay-load helper's notification starts Winsock as the DLL arrives,
// before any of its functions runs.
// clang-format off
#include <winsock2.h>
#include "platform/win32/WindowsHeaders.h"
#include <delayimp.h>
// clang-format on

#include <boost/asio/detail/winsock_init.hpp>

namespace {

// Counts as Asio's first start, so that the static initialisers after it
// (the priority puts it before all of them) and each io_context only count.
// Its end does not call WSACleanup, which would load the DLL at the exit
// of a program that never used the network.
boost::asio::detail::winsock_init<>::manual winsockManagedHere __attribute__((init_priority(101)));

// The version Asio asks for (winsock_init<2, 0>).
constexpr WORD kWinsockVersion = MAKEWORD(2, 0);

bool IsWinsockDll(const char* name) {
    static const char kName[] = "ws2_32.dll";
    for (size_t i = 0; i < sizeof kName; ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kName[i]) return false;
    }
    return true;
}

FARPROC WINAPI OnDelayLoad(unsigned notification, PDelayLoadInfo info) {
    static LONG started = 0;
    // Sent for each function before its address is looked up, once the
    // DLL is loaded: the first one starts Winsock.
    if (notification != dliNotePreGetProcAddress || !info->hmodCur || !IsWinsockDll(info->szDll)) {
        return nullptr;
    }
    if (::InterlockedExchange(&started, 1) != 0) return nullptr;
    using Startup = int(WINAPI*)(WORD, LPWSADATA);
    // Through a pointer to a function of no type, as GetProcAddress knows none.
    const auto startup = reinterpret_cast<Startup>(
        reinterpret_cast<void (*)()>(::GetProcAddress(info->hmodCur, "WSAStartup")));
    WSADATA data;
    // A failure shows at the first socket call, as WSANOTINITIALISED.
    if (startup) startup(kWinsockVersion, &data);
    return nullptr;  // the helper looks the function up itself
}

}  // namespace

// The delay-load helper's notification hook (libmingwex's default is none);
// C linkage from its declaration in delayimp.h.
PfnDliHook __pfnDliNotifyHook2 = OnDelayLoad;
