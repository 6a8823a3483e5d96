// Fuzzes the certificate table's lookup in a program's headers with any
// bytes as the file: it never reads more than its two fixed-size reads, the
// first at the file's start, and its answer is the one a model of the entry
// gives (present exactly when a well-formed header's entry holds a mark).
#include <cstdint>
#include <string>

#include "commands/signatures/CertificateTable.h"
#include "support/FuzzCheck.h"

using namespace pellinor;

namespace {
uint32_t At(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

// The rule written out once more over the whole file.
CertificateTable Model(const std::string& file) {
    if (file.size() < kDosHeaderBytes || file.compare(0, 2, "MZ") != 0)
        return CertificateTable::Absent;
    const uint64_t pe = At(file, 0x3C, 4);
    if (pe + 26 > file.size() || file.compare(pe, 4, std::string("PE\0\0", 4)) != 0)
        return CertificateTable::Absent;
    const uint32_t magic = At(file, pe + 24, 2);
    const size_t dirs = magic == 0x10B ? 96 : magic == 0x20B ? 112 : 0;
    if (dirs == 0) return CertificateTable::Absent;
    const size_t entry = dirs + 32;
    if (At(file, pe + 20, 2) < entry + 8 || pe + 24 + entry + 8 > file.size() ||
        At(file, pe + 24 + dirs - 4, 4) <= 4)
        return CertificateTable::Absent;
    return At(file, pe + 24 + entry, 4) || At(file, pe + 24 + entry + 4, 4)
               ? CertificateTable::Present
               : CertificateTable::Absent;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    int reads = 0;
    const CertificateTable found =
        FindCertificateTable([&](uint64_t offset, size_t want) -> std::optional<std::string> {
            ++reads;
            FUZZ_CHECK(reads > 1 || offset == 0);
            FUZZ_CHECK(want <= kNtHeadersToSecurityEntry);
            if (offset >= file.size()) return std::string();
            return file.substr(static_cast<size_t>(offset), want);
        });
    FUZZ_CHECK(reads <= 2);
    FUZZ_CHECK(found == Model(file));
    return 0;
}
