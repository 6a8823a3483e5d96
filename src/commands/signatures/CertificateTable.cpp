// The certificate table's entry read from a program's own headers (the two
// reads of fixed size of ProgramHeaders), every offset checked against what
// was read.
#include "commands/signatures/CertificateTable.h"

namespace pellinor {

namespace {
// Where the data directories begin in each form of the optional header;
// their count is the four bytes before them.
constexpr size_t kDirectories32At = 96;
constexpr size_t kDirectories64At = 112;
constexpr uint32_t kSecurityIndex = 4;
constexpr size_t kDirectoryEntryBytes = 8;
constexpr size_t kChecksumAt = 64;  // CheckSum, in either form of the optional header
}  // namespace

std::optional<SecurityEntry> ReadSecurityEntry(const NtHeaders& headers) {
    const std::string& nt = headers.bytes;
    if (nt.size() < kOptionalHeaderAt + 2) return std::nullopt;

    const uint32_t magic = LittleEndian(nt, kOptionalHeaderAt, 2);
    const size_t directories = magic == kMagicPe32       ? kDirectories32At
                               : magic == kMagicPe32Plus ? kDirectories64At
                                                         : 0;
    if (directories == 0) return std::nullopt;
    const size_t entry = directories + kSecurityIndex * kDirectoryEntryBytes;
    // The entry counts only where the headers declare room for it; a file
    // that ends inside its own headers holds none either.
    if (LittleEndian(nt, kOptionalSizeAt, 2) < entry + kDirectoryEntryBytes ||
        nt.size() < kOptionalHeaderAt + entry + kDirectoryEntryBytes ||
        LittleEndian(nt, kOptionalHeaderAt + directories - 4, 4) <= kSecurityIndex) {
        return std::nullopt;
    }
    SecurityEntry found;
    found.checksumAt = uint64_t{headers.offset} + kOptionalHeaderAt + kChecksumAt;
    found.entryAt = uint64_t{headers.offset} + kOptionalHeaderAt + entry;
    found.tableAt = LittleEndian(nt, kOptionalHeaderAt + entry, 4);
    found.tableSize = LittleEndian(nt, kOptionalHeaderAt + entry + 4, 4);
    return found;
}

CertificateTable FindCertificateTable(const ReadFileAt& read) {
    NtHeaders headers;
    switch (ReadNtHeaders(read, headers)) {
        case HeadersRead::Unreadable:
            return CertificateTable::Unreadable;
        case HeadersRead::NotProgram:
            // Not a program: nothing could have signed it as one.
            return CertificateTable::Absent;
        case HeadersRead::Read:
            break;
    }
    const std::optional<SecurityEntry> entry = ReadSecurityEntry(headers);
    // Any mark in the entry counts: only a program that never had a
    // signature leaves both its offset and its size at zero.
    return entry && (entry->tableAt != 0 || entry->tableSize != 0) ? CertificateTable::Present
                                                                   : CertificateTable::Absent;
}

CertificateTable FindCertificateTable(FileSystem& files, const std::string& path) {
    return FindCertificateTable(
        [&](uint64_t offset, size_t size) { return files.ReadFileRange(path, offset, size); });
}

}  // namespace pellinor
