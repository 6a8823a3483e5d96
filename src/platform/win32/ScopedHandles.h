// Owners of every kind of Windows handle the program makes, so that each
// way out of a function frees what it made: one template for every handle
// freed by one call, and the few owners that need more (a window's device
// context, an object selected for a scope, a COM interface, COM itself).
// One style for all of them: Get() hands the handle over, a test for truth
// says whether there is one, Out() gives the address an API fills in.
#pragma once

#include <utility>

#include "platform/win32/WindowsHeaders.h"

namespace pellinor {

// The one owner of a handle freed by one call (CloseHandle, DeleteObject,
// RegCloseKey...), freed when its owner goes or is given another. A handle
// that is 0 is none; so is INVALID_HANDLE_VALUE where the kind's functions
// answer a failure with it (files, directory enumerations).
enum class NoHandle { Null, NullOrMinusOne };

template <typename Handle, auto Free, NoHandle none = NoHandle::Null>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    explicit operator bool() const {
        if (handle_ == Handle{}) return false;
        if constexpr (none == NoHandle::NullOrMinusOne) return handle_ != INVALID_HANDLE_VALUE;
        return true;
    }
    Handle Get() const { return handle_; }
    // The address an API fills in; only while there is none.
    Handle* Out() { return &handle_; }
    void Reset(Handle handle = Handle{}) {
        if (*this) Free(handle_);
        handle_ = handle;
    }
    // Frees it now and says whether the system did, which matters for a file
    // just written (its last data may fail to reach the disk there).
    bool Close() {
        const bool ok = !*this || Free(handle_);
        handle_ = Handle{};
        return ok;
    }

  private:
    Handle handle_ = Handle{};
};

namespace owned_detail {
inline BOOL WINAPI CloseStore(HCERTSTORE store) {
    return ::CertCloseStore(store, 0);
}
inline BOOL WINAPI FreeLocal(HLOCAL memory) {
    return ::LocalFree(memory) == nullptr;
}
inline BOOL WINAPI FreeGlobal(HGLOBAL memory) {
    return ::GlobalFree(memory) == nullptr;
}
inline BOOL WINAPI CloseKey(HKEY key) {
    return ::RegCloseKey(key) == ERROR_SUCCESS;
}
inline BOOL WINAPI FreeTaskMemory(void* memory) {
    ::CoTaskMemFree(memory);
    return TRUE;
}
}  // namespace owned_detail

using ScopedHandle = Owned<HANDLE, ::CloseHandle, NoHandle::NullOrMinusOne>;
using ScopedFindHandle = Owned<HANDLE, ::FindClose, NoHandle::NullOrMinusOne>;
using ScopedIcon = Owned<HICON, ::DestroyIcon>;
using ScopedWindow = Owned<HWND, ::DestroyWindow>;
// A font, bitmap, brush or pen.
template <typename Handle>
using GdiObject = Owned<Handle, ::DeleteObject>;
using ImageList = Owned<HIMAGELIST, ::ImageList_Destroy>;
// A memory device context (CreateCompatibleDC).
using MemoryDc = Owned<HDC, ::DeleteDC>;
using ScopedRegistryKey = Owned<HKEY, owned_detail::CloseKey>;
// Memory the shell hands out (an item list, say).
template <typename Pointer>
using CoTaskMemory = Owned<Pointer, owned_detail::FreeTaskMemory>;
// Memory the system allocated for the caller with LocalAlloc or GlobalAlloc.
template <typename Pointer>
using LocalMemory = Owned<Pointer, owned_detail::FreeLocal>;
template <typename Pointer>
using GlobalMemory = Owned<Pointer, owned_detail::FreeGlobal>;
using ScopedCertificate = Owned<PCCERT_CONTEXT, ::CertFreeCertificateContext>;
using ScopedCertificateStore = Owned<HCERTSTORE, owned_detail::CloseStore>;
using ScopedCryptMessage = Owned<HCRYPTMSG, ::CryptMsgClose>;

// A window's device context (GetDC, GetWindowDC), given back by ReleaseDC.
class WindowDc {
  public:
    WindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    explicit operator bool() const { return dc_ != nullptr; }
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for one scope.
class SelectInDc {
  public:
    SelectInDc(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectInDc() { ::SelectObject(dc_, old_); }
    SelectInDc(const SelectInDc&) = delete;
    SelectInDc& operator=(const SelectInDc&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface, released with its owner.
template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    explicit operator bool() const { return p_ != nullptr; }
    Interface* Get() const { return p_; }
    Interface* operator->() const { return p_; }
    void** Out() { return reinterpret_cast<void**>(&p_); }

  private:
    Interface* p_ = nullptr;
};

// COM for the life of a thread: the shell's shortcut object needs a
// single-threaded apartment.
class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

}  // namespace pellinor
