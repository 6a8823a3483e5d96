// The DOS and NT headers of a program file, and what makes it a program the
// system would start.
#include "commands/signatures/ProgramHeaders.h"

#include <algorithm>

namespace pellinor {

namespace {
constexpr size_t kNewHeaderOffsetAt = 0x3C;  // e_lfanew, in the DOS header
// The file header after "PE\0\0": its machine, and its characteristics.
constexpr size_t kMachineAt = 4;
constexpr size_t kCharacteristicsAt = 4 + 18;
constexpr size_t kFileHeaderEnd = kOptionalHeaderAt;
constexpr size_t kSectionCountAt = 4 + 2;
constexpr size_t kMagicAt = kFileHeaderEnd;
constexpr uint16_t kMachineI386 = 0x014C;
// The section table's entries: 40 bytes, the raw data's size and place at
// 16 and 20. The loader takes at most 96 sections.
constexpr size_t kSectionBytes = 40;
constexpr size_t kRawSizeAt = 16;
constexpr size_t kRawPlaceAt = 20;
constexpr size_t kMostSections = 96;
constexpr uint16_t kExecutableImage = 0x0002;  // IMAGE_FILE_EXECUTABLE_IMAGE
constexpr uint16_t kDll = 0x2000;              // IMAGE_FILE_DLL
}  // namespace

uint32_t LittleEndian(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

HeadersRead ReadNtHeaders(const ReadFileAt& read, NtHeaders& nt) {
    const std::optional<std::string> dos = read(0, kDosHeaderBytes);
    if (!dos) return HeadersRead::Unreadable;
    if (dos->size() < kDosHeaderBytes || dos->compare(0, 2, "MZ") != 0)
        return HeadersRead::NotProgram;
    nt.offset = LittleEndian(*dos, kNewHeaderOffsetAt, 4);
    std::optional<std::string> bytes = read(nt.offset, kNtHeadersToSecurityEntry);
    if (!bytes) return HeadersRead::Unreadable;
    nt.bytes = std::move(*bytes);
    if (nt.bytes.size() < kFileHeaderEnd || nt.bytes.compare(0, 4, std::string("PE\0\0", 4)) != 0)
        return HeadersRead::NotProgram;
    return HeadersRead::Read;
}

namespace {
// Whether every section's raw data lies within the file: a program cut
// short (its first kilobyte followed by a web page) has sections that
// point past its end.
bool SectionsWithinFile(const ReadFileAt& read, const NtHeaders& nt) {
    const size_t count = LittleEndian(nt.bytes, kSectionCountAt, 2);
    if (count == 0 || count > kMostSections) return false;
    const uint64_t tableAt =
        uint64_t{nt.offset} + kFileHeaderEnd + LittleEndian(nt.bytes, kOptionalSizeAt, 2);
    const std::optional<std::string> table = read(tableAt, count * kSectionBytes);
    if (!table || table->size() != count * kSectionBytes) return false;
    uint64_t end = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t size = LittleEndian(*table, i * kSectionBytes + kRawSizeAt, 4);
        if (size == 0) continue;
        end = std::max(end,
                       uint64_t{LittleEndian(*table, i * kSectionBytes + kRawPlaceAt, 4)} + size);
    }
    // The file holds the last byte of the section that reaches furthest.
    const std::optional<std::string> last = end == 0 ? std::string("-") : read(end - 1, 1);
    return last && last->size() == 1;
}
}  // namespace

bool IsWindowsProgram(const ReadFileAt& read) {
    NtHeaders nt;
    if (ReadNtHeaders(read, nt) != HeadersRead::Read) return false;
    // Every linker puts the NT headers after the whole DOS header; an
    // offset inside it is a file made to look like a program.
    if (nt.offset < kDosHeaderBytes || nt.bytes.size() < kMagicAt + 2) return false;
    const uint32_t machine = LittleEndian(nt.bytes, kMachineAt, 2);
    const uint32_t flags = LittleEndian(nt.bytes, kCharacteristicsAt, 2);
    // The desk runs 32-bit Windows too, which starts no 64-bit image.
    return machine == kMachineI386 && LittleEndian(nt.bytes, kMagicAt, 2) == kMagicPe32 &&
           (flags & kExecutableImage) != 0 && (flags & kDll) == 0 && SectionsWithinFile(read, nt);
}

bool IsWindowsProgram(FileSystem& files, const std::string& path) {
    return IsWindowsProgram(
        [&](uint64_t offset, size_t size) { return files.ReadFileRange(path, offset, size); });
}

}  // namespace pellinor
