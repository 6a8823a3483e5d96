// The certificate table's screen and the image digest, read with the file
// system's bounded reads.
#include "commands/signatures/EmbeddedSignature.h"

#include <algorithm>

#include "commands/signatures/DerReader.h"
#include "commands/signatures/FileDigest.h"
#include "commands/signatures/Sha256.h"

namespace pellinor {

namespace {
constexpr size_t kChecksumBytes = 4;
constexpr size_t kDirectoryEntryBytes = 8;

OwnVerdict NotSigned(const char* why) {
    return OwnVerdict{SignatureState::None, why};
}

}  // namespace

OwnVerdict ReadEmbeddedTable(FileSystem& files, const std::string& path, EmbeddedTable& table) {
    const ReadFileAt read = [&](uint64_t offset, size_t size) {
        return files.ReadFileRange(path, offset, size);
    };
    NtHeaders headers;
    if (ReadNtHeaders(read, headers) != HeadersRead::Read)
        return OwnVerdict{SignatureState::None, ""};
    const std::optional<SecurityEntry> entry = ReadSecurityEntry(headers);
    if (!entry || (entry->tableAt == 0 && entry->tableSize == 0))
        return OwnVerdict{SignatureState::None, ""};
    table.entry = *entry;
    const std::optional<uint64_t> fileSize = files.FileSize(path);
    if (!fileSize) return NotSigned("file unreadable");
    // The table comes after the headers, aligned as the loader wants it, and
    // ends the file: bytes after it would be covered by no digest.
    if (entry->tableAt < entry->entryAt + kDirectoryEntryBytes ||
        entry->tableAt % kCertificateAlignment != 0 || entry->tableSize < kCertificateHeaderBytes ||
        entry->tableSize > kLargestSignatureTableBytes ||
        uint64_t{entry->tableAt} + entry->tableSize != *fileSize)
        return NotSigned("certificate table out of bounds");
    const std::optional<std::string> bytes =
        files.ReadFileRange(path, entry->tableAt, entry->tableSize);
    if (!bytes || bytes->size() != entry->tableSize) return NotSigned("file unreadable");

    const uint32_t length = LittleEndian(*bytes, 0, 4);
    if (LittleEndian(*bytes, 4, 2) != kCertificateRevision)
        return NotSigned("certificate revision");
    if (LittleEndian(*bytes, 6, 2) != kCertificateTypePkcs7) return NotSigned("certificate type");
    DerReader reader(std::string_view(*bytes).substr(kCertificateHeaderBytes));
    DerElement signature;
    if (!reader.Next(der::kSequence, signature)) return NotSigned("no DER signature");
    // One entry, its length covering its DER, and the table only as long
    // as the padding to 8 bytes makes it; the padding all zeros.
    const size_t used = kCertificateHeaderBytes + signature.whole.size();
    const size_t padded =
        (used + kCertificateAlignment - 1) / kCertificateAlignment * kCertificateAlignment;
    if (length < used || length > entry->tableSize || padded != entry->tableSize ||
        bytes->find_first_not_of('\0', used) != std::string::npos)
        return NotSigned("bytes after the signature");
    table.signature = std::string(signature.whole);
    return OwnVerdict{};
}

bool HashFileRange(FileSystem& files, const std::string& path, uint64_t from, uint64_t to,
                   Sha256& hash) {
    while (from < to) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(to - from, kDigestPieceBytes));
        const std::optional<std::string> piece = files.ReadFileRange(path, from, want);
        if (!piece || piece->size() != want) return false;
        hash.Add(*piece);
        from += want;
    }
    return true;
}

std::optional<std::string> ImageDigest(FileSystem& files, const std::string& path,
                                       const SecurityEntry& entry) {
    Sha256 hash;
    if (!HashFileRange(files, path, 0, entry.checksumAt, hash) ||
        !HashFileRange(files, path, entry.checksumAt + kChecksumBytes, entry.entryAt, hash) ||
        !HashFileRange(files, path, entry.entryAt + kDirectoryEntryBytes, entry.tableAt, hash))
        return std::nullopt;
    return hash.Digest();
}

}  // namespace pellinor
