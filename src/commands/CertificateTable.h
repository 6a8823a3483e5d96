// Whether a program file carries a certificate table: the entry of its PE
// headers (the security directory) that points at an embedded signature.
// A file with one was signed, whether or not a signer can still be read
// from it.
#pragma once

#include <string>

#include "commands/ProgramHeaders.h"

namespace pellinor {

enum class CertificateTable {
    Absent,      // no table, or no program headers that could point at one
    Present,     // the security directory's entry is not empty
    Unreadable,  // the file is there but could not be read
};

CertificateTable FindCertificateTable(const ReadFileAt& read);
CertificateTable FindCertificateTable(FileSystem& files, const std::string& path);

}  // namespace pellinor
