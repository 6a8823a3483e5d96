// The DOS and NT headers of a program file, and what makes it a program the
// system would start.
#include "commands/ProgramHeaders.h"

namespace pellinor {

namespace {
constexpr size_t kNewHeaderOffsetAt = 0x3C;  // e_lfanew, in the DOS header
// The file header after "PE\0\0": its machine, and its characteristics.
constexpr size_t kMachineAt = 4;
constexpr size_t kCharacteristicsAt = 4 + 18;
constexpr size_t kFileHeaderEnd = 4 + 20;
constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;
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

bool IsWindowsProgram(const ReadFileAt& read) {
    NtHeaders nt;
    if (ReadNtHeaders(read, nt) != HeadersRead::Read) return false;
    // Every linker puts the NT headers after the whole DOS header; an
    // offset inside it is a file made to look like a program.
    if (nt.offset < kDosHeaderBytes) return false;
    const uint32_t machine = LittleEndian(nt.bytes, kMachineAt, 2);
    const uint32_t flags = LittleEndian(nt.bytes, kCharacteristicsAt, 2);
    return (machine == kMachineI386 || machine == kMachineAmd64) &&
           (flags & kExecutableImage) != 0 && (flags & kDll) == 0;
}

bool IsWindowsProgram(FileSystem& files, const std::string& path) {
    return IsWindowsProgram(
        [&](uint64_t offset, size_t size) { return files.ReadFileRange(path, offset, size); });
}

}  // namespace pellinor
