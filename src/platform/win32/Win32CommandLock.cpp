// The machine's command lock on a named mutex. The window thread takes it
// and gives it back, as a mutex wants; a copy that ends without giving it
// back leaves it abandoned, which the next command takes as free.
#include "platform/win32/Win32CommandLock.h"

// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

namespace pellinor {

namespace {
constexpr wchar_t kLockName[] = L"Global\\Pellinor.ChangingFiles";
// Everyone may wait for the mutex and give it back (SYNCHRONIZE and
// MUTEX_MODIFY_STATE): a copy in another user's session must be able to
// open the one the first copy made.
constexpr wchar_t kLockAccess[] = L"D:(A;;0x00100001;;;WD)";

HANDLE OpenOrMake() {
    LocalMemory<PSECURITY_DESCRIPTOR> descriptor;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(kLockAccess, SDDL_REVISION_1,
                                                           descriptor.Out(), nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.Get(), FALSE};
    HANDLE mutex = ::CreateMutexW(descriptor ? &attributes : nullptr, FALSE, kLockName);
    // Made by a copy of another user: it grants what a waiter needs, and
    // no more, which is all an open of the existing mutex asks for here.
    if (!mutex) mutex = ::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kLockName);
    return mutex;
}
}  // namespace

bool Win32CommandLock::TryTake() {
    if (!mutex_) mutex_.Reset(OpenOrMake());
    // No mutex at all: nobody can be told apart from another copy, so the
    // command does not run rather than run beside one.
    if (!mutex_) return false;
    const DWORD waited = ::WaitForSingleObject(mutex_.Get(), 0);
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void Win32CommandLock::Release() {
    if (mutex_) ::ReleaseMutex(mutex_.Get());
}

}  // namespace pellinor
