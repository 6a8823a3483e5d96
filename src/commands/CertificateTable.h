// Whether a program file carries a certificate table: the entry of its PE
// headers (the security directory) that points at an embedded signature.
// A file with one was signed, whether or not a signer can still be read
// from it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

enum class CertificateTable {
    Absent,      // no table, or no program headers that could point at one
    Present,     // the security directory's entry is not empty
    Unreadable,  // the file is there but could not be read
};

// The most the check reads: the DOS header, and the NT headers up to the
// security directory's entry of a 64-bit image (the larger of the two
// forms). Nothing else of the file is ever looked at.
constexpr size_t kDosHeaderBytes = 64;
constexpr size_t kNtHeadersToSecurityEntry = 4 + 20 + 112 + 5 * 8;

// Up to size bytes of the file from offset on: fewer where it ends, none
// from its end on; nullopt when it cannot be read.
using ReadFileAt = std::function<std::optional<std::string>(uint64_t offset, size_t size)>;

CertificateTable FindCertificateTable(const ReadFileAt& read);
CertificateTable FindCertificateTable(FileSystem& files, const std::string& path);

}  // namespace pellinor
