// Windows XP has no GetTickCount64, yet the compiler's thread library
// (winpthread, which the static C++ runtime brings in) imports it. This file
// gives each program the import's pointer itself, so the linker never asks
// kernel32.dll for the function: on Vista and later it leads to the
// system's own; on XP to a 64-bit count made from GetTickCount. It is
// compiled into each executable (not into a library), as the reference to
// it comes from the runtime, after every library of ours has been searched.
#include "platform/win32/WindowsHeaders.h"

namespace {

// GetTickCount's 32 bits widened by the number of times it wrapped (every
// 49.7 days), both kept in one 64-bit word: the wraps above, the reading
// they go with below.
volatile LONG64 widened = 0;

ULONGLONG WINAPI TickCount64() {
    using Function = ULONGLONG(WINAPI*)();
    // Through a pointer to a function of no type, as GetProcAddress knows none.
    const auto system = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
    if (system) return system();
    const LONG64 seen = ::InterlockedCompareExchange64(&widened, 0, 0);
    const DWORD now = ::GetTickCount();
    ULONGLONG wraps = static_cast<ULONGLONG>(seen) >> 32;
    if (now < static_cast<DWORD>(seen)) ++wraps;
    const auto next = static_cast<LONG64>((wraps << 32) | now);
    // Another thread may have moved it on meanwhile: its reading is as good.
    ::InterlockedCompareExchange64(&widened, next, seen);
    return (wraps << 32) | now;
}

}  // namespace

// The pointer that every call of GetTickCount64 goes through.
extern "C" ULONGLONG(WINAPI* const kTickCount64Import)() __asm__("__imp__GetTickCount64@0") =
    TickCount64;
