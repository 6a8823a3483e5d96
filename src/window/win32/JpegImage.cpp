// Decoding the illustration with stb_image and reducing it to its size on
// the screen: by area averaging, or with stb_image_resize's filter.
#include "window/win32/JpegImage.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

// The one place that compiles stb_image; only its JPEG decoder is needed and
// it reads from memory, never from a file.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#include <stb/stb_image.h>
// And the one place that compiles stb_image_resize, private to this file.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image_resize.h>

namespace pellinor {

namespace {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top-down rows, 3 bytes a pixel
};

struct StbFree {
    void operator()(stbi_uc* data) const { stbi_image_free(data); }
};

Pixels Decode(const void* data, DWORD size) {
    Pixels result;
    int channels = 0;
    std::unique_ptr<stbi_uc, StbFree> decoded(
        stbi_load_from_memory(static_cast<const stbi_uc*>(data), static_cast<int>(size),
                              &result.width, &result.height, &channels, 3));
    if (!decoded || result.width <= 0 || result.height <= 0) return Pixels{};
    result.rgb.assign(decoded.get(), decoded.get() + size_t(result.width) * result.height * 3);
    return result;
}

// For each target column (or row), the source range [first, last) it covers:
// the picture is reduced about 2.5 times, so every source pixel counts once
// and the result stays as smooth as the original.
std::vector<std::pair<int, int>> Spans(int source, int target) {
    std::vector<std::pair<int, int>> spans(static_cast<size_t>(target));
    for (int i = 0; i < target; ++i) {
        const int first = static_cast<int>(int64_t(i) * source / target);
        int last = static_cast<int>(int64_t(i + 1) * source / target);
        if (last <= first) last = first + 1;
        spans[static_cast<size_t>(i)] = {first, last < source ? last : source};
    }
    return spans;
}

// Area averaging is a good filter while every target pixel takes two source
// pixels or more each way (the picture at 100 %, reduced about 2.5 times);
// nearer the source's size it takes one or two, and thin strokes come out
// uneven, so there the picture is resampled with a Mitchell filter instead.
bool AveragesWell(const Pixels& from, int width, int height) {
    return from.width >= 2 * width && from.height >= 2 * height;
}

// Writes the resampled picture as top-down BGR rows of `stride` bytes;
// false when the filter could not have its working memory.
bool Resample(const Pixels& from, int width, int height, uint8_t* bits, int stride) {
    // The filter works in linear light (the sRGB curve undone and put back),
    // so that dark strokes on a light ground keep their weight.
    if (!stbir_resize_uint8_srgb(from.rgb.data(), from.width, from.height, 0, bits, width, height,
                                 stride, 3, STBIR_ALPHA_CHANNEL_NONE, 0)) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bits + size_t(y) * stride;
        for (int x = 0; x < width; ++x) std::swap(row[x * 3], row[x * 3 + 2]);
    }
    return true;
}

// Writes the reduced picture as top-down BGR rows of `stride` bytes.
void Reduce(const Pixels& from, int width, int height, uint8_t* bits, int stride) {
    const auto columns = Spans(from.width, width);
    const auto rows = Spans(from.height, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* out = bits + size_t(y) * stride;
        const auto [top, bottom] = rows[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const auto [left, right] = columns[static_cast<size_t>(x)];
            uint32_t sum[3] = {0, 0, 0};
            for (int sy = top; sy < bottom; ++sy) {
                const uint8_t* in = from.rgb.data() + (size_t(sy) * from.width + left) * 3;
                for (int sx = left; sx < right; ++sx, in += 3) {
                    sum[0] += in[0];
                    sum[1] += in[1];
                    sum[2] += in[2];
                }
            }
            const uint32_t count = uint32_t(bottom - top) * uint32_t(right - left);
            out[x * 3 + 0] = static_cast<uint8_t>((sum[2] + count / 2) / count);  // blue
            out[x * 3 + 1] = static_cast<uint8_t>((sum[1] + count / 2) / count);
            out[x * 3 + 2] = static_cast<uint8_t>((sum[0] + count / 2) / count);  // red
        }
    }
}

}  // namespace

GdiObject<HBITMAP> LoadJpegResource(HINSTANCE instance, int id, int width, int height) {
    HRSRC resource =
        ::FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!resource) return GdiObject<HBITMAP>();
    HGLOBAL loaded = ::LoadResource(instance, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    const DWORD size = ::SizeofResource(instance, resource);
    if (!data || size == 0) return GdiObject<HBITMAP>();

    const Pixels pixels = Decode(data, size);
    if (pixels.rgb.empty()) return GdiObject<HBITMAP>();

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like the decoder's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(
        ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return GdiObject<HBITMAP>();
    const int stride = (width * 3 + 3) & ~3;
    auto* rows = static_cast<uint8_t*>(bits);
    if (AveragesWell(pixels, width, height) || !Resample(pixels, width, height, rows, stride)) {
        Reduce(pixels, width, height, rows, stride);
    }
    ::GdiFlush();
    return bitmap;
}

}  // namespace pellinor
