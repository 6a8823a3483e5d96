// Owners of every kind of Windows handle the program makes, so that each
// way out of a function frees what it made. One style for all of them:
// Get() hands the handle over, a test for truth says whether there is one,
// Out() gives the address an API fills in.
#pragma once

#include <utility>

#include "platform/win32/WindowsHeaders.h"

namespace pellinor {

// A kernel handle closed by CloseHandle; Close() reports the outcome, which
// matters for a file just written (the last data may fail to reach the
// disk there).
class ScopedHandle {
  public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    BOOL Close() {
        BOOL ok = TRUE;
        if (*this) ok = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE handle_;
};

// A handle of a kind freed by one call (DestroyIcon, DestroyWindow), freed
// when its owner goes.
template <typename Handle, BOOL(WINAPI* Free)(Handle)>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    Handle Get() const { return handle_; }
    void Reset(Handle handle = nullptr) {
        if (handle_) Free(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};
using ScopedIcon = Owned<HICON, ::DestroyIcon>;
using ScopedWindow = Owned<HWND, ::DestroyWindow>;

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

// A directory enumeration closed by FindClose.
class ScopedFindHandle {
  public:
    explicit ScopedFindHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedFindHandle() {
        if (*this) ::FindClose(handle_);
    }
    ScopedFindHandle(const ScopedFindHandle&) = delete;
    ScopedFindHandle& operator=(const ScopedFindHandle&) = delete;

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

// A font, bitmap, brush or pen, deleted with its owner.
template <typename Handle>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    Handle Get() const { return handle_; }
    void Reset() {
        if (handle_) ::DeleteObject(handle_);
        handle_ = nullptr;
    }

  private:
    Handle handle_ = nullptr;
};

// An image list, destroyed with its owner.
class ImageList {
  public:
    ImageList() = default;
    explicit ImageList(HIMAGELIST list) : list_(list) {}
    ~ImageList() {
        if (list_) ::ImageList_Destroy(list_);
    }
    ImageList(ImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    ImageList& operator=(ImageList&& other) noexcept {
        if (this != &other) {
            if (list_) ::ImageList_Destroy(list_);
            list_ = std::exchange(other.list_, nullptr);
        }
        return *this;
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    explicit operator bool() const { return list_ != nullptr; }
    HIMAGELIST Get() const { return list_; }

  private:
    HIMAGELIST list_ = nullptr;
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

// A memory device context compatible with another one, deleted with its owner.
class MemoryDc {
  public:
    explicit MemoryDc(HDC compatible) : dc_(::CreateCompatibleDC(compatible)) {}
    ~MemoryDc() {
        if (dc_) ::DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    explicit operator bool() const { return dc_ != nullptr; }
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
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

// Memory the shell hands out (an item list, say), freed by CoTaskMemFree.
template <typename Pointer>
class CoTaskMemory {
  public:
    CoTaskMemory() = default;
    ~CoTaskMemory() {
        if (p_) ::CoTaskMemFree(p_);
    }
    CoTaskMemory(const CoTaskMemory&) = delete;
    CoTaskMemory& operator=(const CoTaskMemory&) = delete;

    explicit operator bool() const { return p_ != nullptr; }
    Pointer Get() const { return p_; }
    Pointer* Out() { return &p_; }

  private:
    Pointer p_ = nullptr;
};

// A registry key closed by RegCloseKey.
class ScopedRegistryKey {
  public:
    ScopedRegistryKey() = default;
    ~ScopedRegistryKey() {
        if (key_) ::RegCloseKey(key_);
    }
    ScopedRegistryKey(const ScopedRegistryKey&) = delete;
    ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

    explicit operator bool() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }
    HKEY* Out() { return &key_; }

  private:
    HKEY key_ = nullptr;
};

// A certificate of the system's crypto API, freed with its owner.
class ScopedCertificate {
  public:
    explicit ScopedCertificate(PCCERT_CONTEXT certificate) : certificate_(certificate) {}
    ~ScopedCertificate() {
        if (certificate_) ::CertFreeCertificateContext(certificate_);
    }
    ScopedCertificate(const ScopedCertificate&) = delete;
    ScopedCertificate& operator=(const ScopedCertificate&) = delete;

    explicit operator bool() const { return certificate_ != nullptr; }
    PCCERT_CONTEXT Get() const { return certificate_; }

  private:
    PCCERT_CONTEXT certificate_;
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
