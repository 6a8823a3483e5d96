// The certificate table's entry read from a program's own headers: two
// reads of fixed size, every offset checked against what was read.
#include "commands/CertificateTable.h"

namespace pellinor {

namespace {
constexpr size_t kNewHeaderOffsetAt = 0x3C;   // e_lfanew, in the DOS header
constexpr size_t kOptionalHeaderAt = 4 + 20;  // after "PE\0\0" and the file header
constexpr size_t kOptionalSizeAt = 4 + 16;    // SizeOfOptionalHeader, in the file header
constexpr uint16_t kMagic32 = 0x10B;
constexpr uint16_t kMagic64 = 0x20B;
// Where the data directories begin in each form of the optional header;
// their count is the four bytes before them.
constexpr size_t kDirectories32At = 96;
constexpr size_t kDirectories64At = 112;
constexpr uint32_t kSecurityIndex = 4;
constexpr size_t kDirectoryEntryBytes = 8;

uint32_t Little(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}
}  // namespace

CertificateTable FindCertificateTable(const ReadFileAt& read) {
    const std::optional<std::string> dos = read(0, kDosHeaderBytes);
    if (!dos) return CertificateTable::Unreadable;
    // Not a program: nothing could have signed it as one.
    if (dos->size() < kDosHeaderBytes || dos->compare(0, 2, "MZ") != 0)
        return CertificateTable::Absent;

    const std::optional<std::string> nt =
        read(Little(*dos, kNewHeaderOffsetAt, 4), kNtHeadersToSecurityEntry);
    if (!nt) return CertificateTable::Unreadable;
    if (nt->size() < kOptionalHeaderAt + 2 || nt->compare(0, 4, std::string("PE\0\0", 4)) != 0)
        return CertificateTable::Absent;

    const uint32_t magic = Little(*nt, kOptionalHeaderAt, 2);
    const size_t directories = magic == kMagic32   ? kDirectories32At
                               : magic == kMagic64 ? kDirectories64At
                                                   : 0;
    if (directories == 0) return CertificateTable::Absent;
    const size_t entry = directories + kSecurityIndex * kDirectoryEntryBytes;
    // The entry counts only where the headers declare room for it; a file
    // that ends inside its own headers holds none either.
    if (Little(*nt, kOptionalSizeAt, 2) < entry + kDirectoryEntryBytes ||
        nt->size() < kOptionalHeaderAt + entry + kDirectoryEntryBytes ||
        Little(*nt, kOptionalHeaderAt + directories - 4, 4) <= kSecurityIndex) {
        return CertificateTable::Absent;
    }
    // Any mark in the entry counts: only a program that never had a
    // signature leaves both its offset and its size at zero.
    const bool marked = Little(*nt, kOptionalHeaderAt + entry, 4) != 0 ||
                        Little(*nt, kOptionalHeaderAt + entry + 4, 4) != 0;
    return marked ? CertificateTable::Present : CertificateTable::Absent;
}

CertificateTable FindCertificateTable(FileSystem& files, const std::string& path) {
    return FindCertificateTable(
        [&](uint64_t offset, size_t size) { return files.ReadFileRange(path, offset, size); });
}

}  // namespace pellinor
