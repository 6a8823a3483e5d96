// Owners of GDI and image-list handles, so that every way out of a function
// frees what it made.
#pragma once

#include <utility>

#include "platform/win32/WindowsHeaders.h"

namespace pellinor {

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

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
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

    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// Paints into an off-screen bitmap and copies the result to the target when
// it ends, so a control that repaints at every download step does not flicker.
class BufferedPaint {
  public:
    BufferedPaint(HDC target, const RECT& area);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // The context to paint into, in the target's coordinates.
    HDC Dc() const { return memory_.Get() ? memory_.Get() : target_; }

  private:
    HDC target_;
    RECT area_;
    MemoryDc memory_;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    POINT oldOrigin_{};
};

}  // namespace pellinor
