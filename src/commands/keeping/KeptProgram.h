// The program an upgrade replaced, kept under the user's local application
// data with a record of it, one per installation folder, so that support can
// put it back. Never in the installation folder: the desktop scan and the
// hotel's own tools must not see a second lock program there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "system/Platform.h"

namespace pellinor {

// The kept programs' folder below the program's data folder (the log's).
constexpr const char* kKeptFolderName = "previous";

// The most of a program that is kept or put back: no download can be
// larger (the reply's bound), so no program an upgrade placed is.
constexpr uint64_t kLargestKeptProgramBytes = uint64_t{256} << 20;

// The most of a record that is read: one holds a folder (at most 780 bytes
// of UTF-8) and a few short fields, so anything larger is no record of ours.
constexpr size_t kLargestRecordBytes = 4096;

// The record's first line: names what the file is to whoever opens it.
constexpr const char* kRecordHeader = "Pellinor kept program, one per installation folder";

struct KeptRecord {
    std::string folder;      // the installation, ending in "\"
    std::string version;     // the kept program's file version ("7.35.1.0"), or "none"
    std::string sha256;      // the kept program's, in lower-case hex
    std::string replacedBy;  // the SHA-256 of the program that took its place
    std::string when;        // the replacement's local time: "2026-12-08 23:04:11 +01:00"
};

// The kept program's and its record's paths for an installation folder: a
// name made from the folder (its SHA-256, without regard to ASCII case), so
// that two folders never share one and no name is the program's own.
struct KeptPlace {
    std::string program;
    std::string record;
};
// dataFolder without "\" at its end; none when it is empty.
std::optional<KeptPlace> KeptPlaceOf(const std::string& dataFolder, const std::string& folder);

// The record as it is written: the header and one "name=value" line for each
// field, each line ended by CRLF.
std::string FormatKeptRecord(const KeptRecord& record);

enum class RecordState { Good, Missing, Damaged };

struct RecordReading {
    RecordState state = RecordState::Missing;
    KeptRecord record;    // Good only
    std::string problem;  // Damaged: what is wrong, for the log
};

// Reads the record of folder as FormatKeptRecord wrote it, and nothing
// else: every line in its place, no field empty, twice or unknown, the
// digests as Sha256 writes them, no control character, and the folder the
// one asked for (without regard to ASCII case).
RecordReading ParseKeptRecord(const std::string& text, const std::string& folder);
RecordReading ReadKeptRecord(FileSystem& files, const std::string& path, const std::string& folder);

// Copies from to the new file to, whole or not at all, and gives the SHA-256
// of the bytes it wrote; nothing (and no file made) when from cannot be read
// to its end or is larger than kLargestKeptProgramBytes. Throws as
// WriteWholeFile does when to cannot be written.
std::optional<std::string> CopyFileWithSha256(FileSystem& files, const std::string& from,
                                              const std::string& to);

// A copy of the program about to be replaced, made before the replacement
// and made the folder's kept program only once the replacement is done.
struct PendingKeep {
    KeptPlace place;
    std::string program;  // the copy, beside the kept program's name
    std::string record;   // its record, beside the record's name
};

// Copies target (the program about to be replaced by replacement) and
// writes its record, both under new names. Nothing when it cannot: the
// upgrade goes on without it, and the log says why.
std::optional<PendingKeep> PrepareKeep(Platform& platform, const std::string& folder,
                                       const std::string& target, const std::string& replacement);

// After the replacement: replaced, the copy and its record take the place
// of the folder's earlier ones; otherwise they go. The earlier record goes
// first, so that a stop in between leaves no record naming the wrong file.
void FinishKeep(FileSystem& files, const std::optional<PendingKeep>& pending, bool replaced);

// Removes a folder's record, then its kept program: a rollback's end.
void ForgetKept(FileSystem& files, const KeptPlace& place);

}  // namespace pellinor
