// Whether a program file carries a certificate table: the entry of its PE
// headers (the security directory) that points at an embedded signature.
// A file with one was signed, whether or not a signer can still be read
// from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "commands/signatures/ProgramHeaders.h"

namespace pellinor {

enum class CertificateTable {
    Absent,      // no table, or no program headers that could point at one
    Present,     // the security directory's entry is not empty
    Unreadable,  // the file is there but could not be read
};

// Where the security directory's entry and the checksum lie in the file,
// and what the entry says: the places an embedded signature's digest leaves
// out. Nothing when the headers declare no such entry.
struct SecurityEntry {
    uint64_t checksumAt = 0;
    uint64_t entryAt = 0;
    uint32_t tableAt = 0;
    uint32_t tableSize = 0;
};
std::optional<SecurityEntry> ReadSecurityEntry(const NtHeaders& headers);

CertificateTable FindCertificateTable(const ReadFileAt& read);
CertificateTable FindCertificateTable(FileSystem& files, const std::string& path);

}  // namespace pellinor
