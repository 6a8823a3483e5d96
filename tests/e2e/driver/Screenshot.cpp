// Window pictures through GDI, written with stb_image_write.
#include "driver/Screenshot.h"

#include <vector>

#include "driver/ChildProcess.h"
#include "driver/Files.h"
#include "platform/win32/Utf.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace pellinor::e2e {

namespace {
void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::string ScreenshotFolder() {
    // bin\ is where the build puts the programs; the pictures go beside it.
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(Widen(ExeFolder() + "..\\screenshots\\").c_str(), MAX_PATH, full, nullptr);
    ::CreateDirectoryW(full, nullptr);
    return Narrow(full);
}

bool SaveWindowPng(HWND window, const std::string& path) {
    // The picture is what the screen shows: have the window paint its latest
    // state now, and give the display a moment to show what it painted.
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    ::Sleep(150);
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (memory && bitmap && bits) {
        const HGDIOBJ previous = ::SelectObject(memory, bitmap);
        copied = ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
        ::GdiFlush();
        ::SelectObject(memory, previous);
    }
    std::vector<unsigned char> rgb;
    if (copied) {
        rgb.resize(static_cast<size_t>(width) * height * 3);
        const auto* bgrx = static_cast<const unsigned char*>(bits);
        for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
            rgb[i * 3 + 0] = bgrx[i * 4 + 2];
            rgb[i * 3 + 1] = bgrx[i * 4 + 1];
            rgb[i * 3 + 2] = bgrx[i * 4 + 0];
        }
    }
    if (bitmap) ::DeleteObject(bitmap);
    if (memory) ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (!copied) return false;

    std::vector<unsigned char> png;
    if (!stbi_write_png_to_func(AppendBytes, &png, width, height, 3, rgb.data(), width * 3)) {
        return false;
    }
    return WriteBytes(path, std::string(png.begin(), png.end()));
}

}  // namespace pellinor::e2e
