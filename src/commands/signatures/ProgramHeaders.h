// A program file's own headers, read in two bounded reads: the DOS header,
// and the NT headers it points at. The certificate table's entry and the
// test of whether a download is a Windows program both read them here.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

// The most the reads take: the DOS header, and the NT headers up to the
// security directory's entry of a 64-bit image (the larger of the two
// forms); the section table and the last byte of the sections' data are
// read to see that the file holds them.
constexpr size_t kDosHeaderBytes = 64;
constexpr size_t kNtHeadersToSecurityEntry = 4 + 20 + 112 + 5 * 8;

// Places in the NT headers, counted from their "PE\0\0": the optional
// header follows the signature and the 20-byte file header, which gives
// the optional header's size at 16; the optional header opens with its
// magic, PE32 or (a 64-bit image) PE32+.
constexpr size_t kOptionalHeaderAt = 4 + 20;
constexpr size_t kOptionalSizeAt = 4 + 16;
constexpr uint16_t kMagicPe32 = 0x10B;
constexpr uint16_t kMagicPe32Plus = 0x20B;

// Up to size bytes of the file from offset on: fewer where it ends, none
// from its end on; nullopt when it cannot be read.
using ReadFileAt = std::function<std::optional<std::string>(uint64_t offset, size_t size)>;

enum class HeadersRead {
    Read,        // "MZ", a whole DOS header, and "PE\0\0" where it points
    NotProgram,  // the file does not begin as a program's headers do
    Unreadable,  // the file is there but could not be read
};

struct NtHeaders {
    uint32_t offset = 0;  // e_lfanew: where they begin in the file
    std::string bytes;    // from "PE\0\0" on, at most kNtHeadersToSecurityEntry
};

// Reads the DOS header and the NT headers it points at into nt; the bytes
// past "PE\0\0" and the file header may be fewer than asked for.
HeadersRead ReadNtHeaders(const ReadFileAt& read, NtHeaders& nt);

// The value of width little-endian bytes of bytes at at.
uint32_t LittleEndian(const std::string& bytes, size_t at, size_t width);

// Whether the file is a Windows program that every desk's system would
// start: its NT headers where the DOS header says, for an i386 machine
// with a PE32 optional header, marked executable and not a DLL, and its
// sections' raw data within the file. A page that merely begins with "MZ",
// a 64-bit image, or a program's first kilobyte alone is none.
bool IsWindowsProgram(const ReadFileAt& read);
bool IsWindowsProgram(FileSystem& files, const std::string& path);

}  // namespace pellinor
