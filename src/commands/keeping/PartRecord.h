// The record beside a part of a download kept for the next run: what file
// the part's bytes begin, how many of them there are, and when it was
// written; the names of both files, and the bounds all parts keep to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

// The parts' folder below the program's data folder (the log's): never the
// installation folder, where the desktop scan and the hotel's own tools
// would see a piece of a program.
constexpr const char* kPartsFolderName = "parts";

// All parts together: a few programs and their patches of today's size
// (about 5 MiB each) several times over, and still nothing beside the disk
// of the oldest PC. A file larger than this is never kept.
constexpr uint64_t kPartsBytesLimit = uint64_t{64} << 20;

// A part older than this is removed: the file it began has most likely been
// replaced on the server since, and a part nobody continues must not stay
// on a PC for ever.
constexpr int64_t kPartLifeSeconds = int64_t{14} * 24 * 3600;
// A record from the future by more than this was written under another
// clock: it cannot be told apart from a stale one.
constexpr int64_t kPartClockSlackSeconds = int64_t{24} * 3600;

// The most of a record that is read: an address within the request's
// bounds and a few short fields; anything larger is no record of ours.
constexpr size_t kLargestPartRecordBytes = 16384;

// The record's first line: names what the file is to whoever opens it.
constexpr const char* kPartRecordHeader = "Pellinor kept part of a download, one per address";

struct PartRecord {
    std::string address;    // the download's encoded address, as sent
    std::string validator;  // the strong validator of the first answer
    uint64_t total = 0;     // the file's length as that answer announced it
    uint64_t held = 0;      // the bytes of the part that were written before this record
    std::string reference;  // a patch's: the SHA-256 of its reference program; else empty
    int64_t written = 0;    // when the record was written: seconds since 1970, UTC
};

// The part's and its record's paths for an address: named after its
// SHA-256, so that each address has one place and no name is a program's.
struct PartPlace {
    std::string part;
    std::string record;
};
// dataFolder without "\" at its end.
PartPlace PartPlaceOf(const std::string& dataFolder, const std::string& address);
// The parts' folder, without "\" at its end.
std::string PartsFolderOf(const std::string& dataFolder);

// The SHA-256 a patch's address names as its reference program
// ("...Tessaron.Exe.from-<sha256>.zst"); empty for any other address.
std::string ReferenceOf(const std::string& address);

// The header and one "name=value" line for each field, each ended by CRLF;
// "reference" only for a patch.
std::string FormatPartRecord(const PartRecord& record);

// The record as FormatPartRecord wrote it and nothing else: every line in
// its place, numbers as written, the part begun and not complete
// (0 < held < total), a reference only where the address names one. What
// is wrong otherwise, for the log.
struct PartReading {
    std::optional<PartRecord> record;
    std::string problem;
};
PartReading ParsePartRecord(const std::string& text);
// Read from path; a folder or a file too large in its place is no record.
PartReading ReadPartRecord(FileSystem& files, const std::string& path);

}  // namespace pellinor
