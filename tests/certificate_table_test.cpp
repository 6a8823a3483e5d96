// The certificate table's entry read from a program's headers: byte tables
// of every form the headers can take, and the two reads' bounds.
#include <gtest/gtest.h>

#include "commands/signatures/CertificateTable.h"
#include "fakes/FakeFileSystem.h"

namespace pellinor {
namespace {

using CT = CertificateTable;

void Put(std::string& bytes, size_t at, uint32_t value, size_t width) {
    if (bytes.size() < at + width) bytes.resize(at + width, '\0');
    for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A program's headers: the DOS header pointing at "PE\0\0" at peAt, the
// optional header of the given magic, its declared size and directory
// count, and the security directory's entry.
struct Headers {
    uint32_t peAt = 0x80;
    uint16_t magic = 0x10B;
    uint16_t optionalSize = 0xE0;
    uint32_t directories = 16;
    uint32_t tableAt = 0;
    uint32_t tableSize = 0;

    std::string Bytes() const {
        std::string bytes = "MZ";
        Put(bytes, 0x3C, peAt, 4);
        Put(bytes, peAt, 0x00004550, 4);  // "PE\0\0"
        Put(bytes, peAt + 20, optionalSize, 2);
        const size_t optional = peAt + 24;
        Put(bytes, optional, magic, 2);
        const size_t dirs = magic == 0x20B ? 112 : 96;
        Put(bytes, optional + dirs - 4, directories, 4);
        Put(bytes, optional + dirs + 4 * 8, tableAt, 4);
        Put(bytes, optional + dirs + 4 * 8 + 4, tableSize, 4);
        Put(bytes, optional + optionalSize, 0, 1);  // the section table begins
        return bytes;
    }
};

Headers Signed(uint16_t magic = 0x10B) {
    Headers h;
    h.magic = magic;
    h.optionalSize = magic == 0x20B ? 0xF0 : 0xE0;
    h.tableAt = 0x2000;
    h.tableSize = 0x5A8;
    return h;
}

// Reads of a byte table; counts what was asked for.
struct Reads {
    std::string bytes;
    size_t largest = 0;
    int count = 0;
    std::optional<std::string> operator()(uint64_t offset, size_t size) {
        ++count;
        largest = std::max(largest, size);
        if (offset >= bytes.size()) return std::string();
        return bytes.substr(static_cast<size_t>(offset), size);
    }
};

CT Find(const std::string& bytes) {
    Reads reads{bytes};
    return FindCertificateTable(std::ref(reads));
}

TEST(CertificateTable, EveryFormOfTheHeadersGivesWhatItsEntrySays) {
    Headers noDirectory = Signed();
    noDirectory.directories = 4;  // the security entry is the fifth
    Headers shortOptional = Signed();
    shortOptional.optionalSize = 96 + 5 * 8 - 1;  // one byte short of the whole entry
    Headers exactOptional = Signed();
    exactOptional.optionalSize = 96 + 5 * 8;
    Headers sizeOnly;
    sizeOnly.tableSize = 8;
    Headers offsetOnly;
    offsetOnly.tableAt = 0x400;
    Headers rom = Signed();
    rom.magic = 0x107;
    Headers farAway = Signed();
    farAway.peAt = 0x10000;  // any offset in the file, read where it points
    std::string noPe = Signed().Bytes();
    noPe[0x80] = 'X';
    std::string notMz = Signed().Bytes();
    notMz[0] = 'Z';
    const std::string signedBytes = Signed().Bytes();
    // The file ends inside the entry: offset there, size cut off.
    const std::string cutInEntry = signedBytes.substr(0, 0x80 + 24 + 96 + 4 * 8 + 6);

    const struct {
        const char* what;
        std::string bytes;
        CT expected;
    } rows[] = {
        {"signed PE32", signedBytes, CT::Present},
        {"signed PE32+", Signed(0x20B).Bytes(), CT::Present},
        {"unsigned", Headers{}.Bytes(), CT::Absent},
        {"size alone", sizeOnly.Bytes(), CT::Present},
        {"offset alone", offsetOnly.Bytes(), CT::Present},
        {"far PE header", farAway.Bytes(), CT::Present},
        {"declared room exactly for the entry", exactOptional.Bytes(), CT::Present},
        {"declared room one byte short", shortOptional.Bytes(), CT::Absent},
        {"only four directories", noDirectory.Bytes(), CT::Absent},
        {"another optional header", rom.Bytes(), CT::Absent},
        {"no PE signature", noPe, CT::Absent},
        {"not MZ", notMz, CT::Absent},
        {"cut inside the entry", cutInEntry, CT::Absent},
        {"a page", "<html>log in</html>", CT::Absent},
        {"empty", "", CT::Absent},
        {"DOS header cut", signedBytes.substr(0, kDosHeaderBytes - 1), CT::Absent},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Find(row.bytes), row.expected) << row.what;
    }
}

TEST(CertificateTable, TwoReadsOfFixedSizeWhereverTheHeadersPoint) {
    for (uint32_t peAt : {0x40u, 0x7FFFFFF0u, 0xFFFFFFFFu}) {
        Headers h = Signed(0x20B);
        h.peAt = 0x40;
        std::string bytes = h.Bytes();
        Put(bytes, 0x3C, peAt, 4);  // past the end, at the end of the range
        Reads reads{bytes};
        const CT found = FindCertificateTable(std::ref(reads));
        EXPECT_EQ(found, peAt == 0x40 ? CT::Present : CT::Absent) << peAt;
        EXPECT_EQ(reads.count, 2);
        EXPECT_EQ(reads.largest, kNtHeadersToSecurityEntry);
    }
}

TEST(CertificateTable, AFileThatCannotBeReadIsNeitherSignedNorUnsigned) {
    FakeFileSystem files;
    files.AddFolder("C:\\Lock\\");
    files.AddFile("C:\\Lock\\Tessaron.Exe", Signed().Bytes());
    files.AddFile("C:\\Lock\\Old.Exe", Headers{}.Bytes());
    EXPECT_EQ(FindCertificateTable(files, "C:\\Lock\\Tessaron.Exe"), CT::Present);
    EXPECT_EQ(FindCertificateTable(files, "C:\\Lock\\Old.Exe"), CT::Absent);
    files.unreadable.insert("C:\\LOCK\\TESSARON.EXE");
    EXPECT_EQ(FindCertificateTable(files, "C:\\Lock\\Tessaron.Exe"), CT::Unreadable);

    // Readable headers, then a read of the PE header that fails.
    int reads = 0;
    EXPECT_EQ(FindCertificateTable([&](uint64_t offset, size_t size) -> std::optional<std::string> {
                  if (reads++ > 0) return std::nullopt;
                  return Signed().Bytes().substr(offset, size);
              }),
              CT::Unreadable);
}

}  // namespace
}  // namespace pellinor
