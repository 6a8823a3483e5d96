// A program's embedded signature (its certificate table) screened before
// anything of it is handed to the system, and the program's Authenticode
// image digest computed over the file itself.
#pragma once

#include <optional>
#include <string>

#include "commands/signatures/CertificateTable.h"
#include "commands/signatures/Sha256.h"
#include "commands/signatures/SignedData.h"
#include "platform/FileSystem.h"

namespace pellinor {

// The most a certificate table may hold: a signature with its chain and a
// timestamp is a few kilobytes, so anything near this is no signature, and
// nothing larger is read into memory.
constexpr uint32_t kLargestSignatureTableBytes = 256 * 1024;

// The one form of table entry the checks take: revision 2.0 of
// WIN_CERTIFICATE, holding PKCS #7 signed data. Other kinds (an X.509
// certificate alone, a type nobody defined) sign nothing, and some make the
// system's own readers fault.
constexpr uint16_t kCertificateRevision = 0x0200;
constexpr uint16_t kCertificateTypePkcs7 = 2;
constexpr uint32_t kCertificateHeaderBytes = 8;
constexpr uint32_t kCertificateAlignment = 8;

struct EmbeddedTable {
    SecurityEntry entry;
    std::string signature;  // the PKCS #7 DER, without the table's header and padding
};

// The file's certificate table as the system may be shown it: within the
// file and ending with it, one entry of the one form, its DER whole and
// followed only by the zeros that pad it to 8 bytes. A fault (state None)
// names what is not so; None without a fault: the file holds no table.
OwnVerdict ReadEmbeddedTable(FileSystem& files, const std::string& path, EmbeddedTable& table);

// Adds the file's bytes from from up to to into hash, a piece of at most
// kDigestPieceBytes at a time; false when they cannot all be read.
bool HashFileRange(FileSystem& files, const std::string& path, uint64_t from, uint64_t to,
                   Sha256& hash);

// The SHA-256 over the whole file but the checksum, the security directory's
// entry and the certificate table; nothing when the file cannot be read.
std::optional<std::string> ImageDigest(FileSystem& files, const std::string& path,
                                       const SecurityEntry& entry);

}  // namespace pellinor
