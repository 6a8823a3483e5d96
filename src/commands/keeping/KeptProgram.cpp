// The kept program and its record: their names, the record's text, the copy
// and the steps that make a copy the folder's kept program.
#include "commands/keeping/KeptProgram.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "commands/VersionCheck.h"
#include "commands/keeping/RecordText.h"
#include "commands/signatures/Sha256.h"
#include "log/LogEvent.h"
#include "platform/LocalTime.h"
#include "platform/WholeFile.h"
#include "text/TextRules.h"

namespace pellinor {

namespace {

// The record's fields, in the order they are written and read.
constexpr const char* kFolderField = "folder";
constexpr const char* kVersionField = "version";
constexpr const char* kSha256Field = "sha256";
constexpr const char* kReplacedByField = "replaced by";
constexpr const char* kWhenField = "when";

// What the copy and the record are called while the replacement runs.
constexpr const char* kPendingSuffix = ".new";

std::string TimeText(const LocalTime& t) {
    const int offset = t.utcOffsetMinutes < 0 ? -t.utcOffsetMinutes : t.utcOffsetMinutes;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d %c%02d:%02d", t.year, t.month,
                  t.day, t.hour, t.minute, t.second, t.utcOffsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return text;
}

RecordReading Damaged(const std::string& problem) {
    RecordReading reading;
    reading.state = RecordState::Damaged;
    reading.problem = problem;
    return reading;
}

// Removes a file that was made for a copy and not kept; the log names one
// that cannot go (a link, a file held).
void RemoveLeft(FileSystem& files, const std::string& path) {
    if (!files.Remove(path) && files.FileExists(path))
        LogEvent("previous program: " + Quoted(path) + " could not be removed");
}

}  // namespace

std::optional<KeptPlace> KeptPlaceOf(const std::string& dataFolder, const std::string& folder) {
    if (dataFolder.empty()) return std::nullopt;
    const std::string base = dataFolder + "\\" + kKeptFolderName + "\\" +
                             PlaceName(UpperAscii(WithTrailingBackslash(folder)));
    return KeptPlace{base + ".program", base + ".record"};
}

std::string FormatKeptRecord(const KeptRecord& record) {
    std::string text = std::string(kRecordHeader) + "\r\n";
    const auto field = [&text](const char* name, const std::string& value) {
        text += std::string(name) + "=" + value + "\r\n";
    };
    field(kFolderField, record.folder);
    field(kVersionField, record.version);
    field(kSha256Field, record.sha256);
    field(kReplacedByField, record.replacedBy);
    field(kWhenField, record.when);
    return text;
}

RecordReading ParseKeptRecord(const std::string& text, const std::string& folder) {
    if (text.size() > kLargestRecordBytes) return Damaged("larger than a record");
    const std::optional<std::vector<std::string>> lines = CrlfLines(text);
    if (!lines) return Damaged("a line without its end (cut?)");
    const char* const names[] = {kFolderField, kVersionField, kSha256Field, kReplacedByField,
                                 kWhenField};
    constexpr size_t kFields = sizeof names / sizeof names[0];
    if (lines->size() != kFields + 1) return Damaged("not the record's lines");
    if ((*lines)[0] != kRecordHeader) return Damaged("not the record's first line");
    std::string values[kFields];
    for (size_t i = 0; i < kFields; ++i) {
        const std::string& line = (*lines)[i + 1];
        const std::string prefix = std::string(names[i]) + "=";
        if (line.compare(0, prefix.size(), prefix) != 0)
            return Damaged(std::string("line ") + std::to_string(i + 2) + " is not " + names[i]);
        values[i] = line.substr(prefix.size());
        if (values[i].empty() || HasControl(values[i]))
            return Damaged(std::string(names[i]) + " empty or with a control character");
    }
    RecordReading reading;
    KeptRecord& record = reading.record;
    record = KeptRecord{values[0], values[1], values[2], values[3], values[4]};
    if (!IsSha256Hex(record.sha256) || !IsSha256Hex(record.replacedBy))
        return Damaged("a SHA-256 that is not 64 lower-case hex digits");
    if (!SameTextAscii(record.folder, WithTrailingBackslash(folder)))
        return Damaged("it names another folder: " + Quoted(record.folder));
    reading.state = RecordState::Good;
    return reading;
}

RecordReading ReadKeptRecord(FileSystem& files, const std::string& path,
                             const std::string& folder) {
    if (!files.FileExists(path)) {
        // A folder or anything else at the record's name is no record either.
        if (files.DirectoryExists(path)) return Damaged("a folder in the record's place");
        return RecordReading{};
    }
    // One byte more than a record may have, so that a larger file is seen.
    const std::optional<std::string> text = files.ReadFileRange(path, 0, kLargestRecordBytes + 1);
    if (!text) return Damaged("it cannot be read");
    return ParseKeptRecord(*text, folder);
}

std::optional<std::string> CopyFileWithSha256(FileSystem& files, const std::string& from,
                                              const std::string& to) {
    // The copy is held in a scratch file where there is one, in memory
    // otherwise, and written only once it was read whole: no piece of a
    // file that could not be read is ever made.
    const std::unique_ptr<ScratchFile> scratch = files.OpenScratchFile();
    std::string held;
    Sha256 sha;
    for (uint64_t offset = 0;;) {
        const std::optional<std::string> piece = files.ReadFileRange(from, offset, kScratchPiece);
        if (!piece) return std::nullopt;
        offset += piece->size();
        if (offset > kLargestKeptProgramBytes) return std::nullopt;
        sha.Add(*piece);
        if (scratch) {
            scratch->Append(piece->data(), piece->size());
        } else {
            held += *piece;
        }
        if (piece->size() < kScratchPiece) break;
    }
    if (scratch) {
        WriteWholeFile(files, to, *scratch, std::string());
    } else {
        WriteWholeFile(files, to, held);
    }
    return sha.Hex();
}

std::optional<PendingKeep> PrepareKeep(Platform& platform, const std::string& folder,
                                       const std::string& target, const std::string& replacement) {
    FileSystem& files = platform.files;
    const std::optional<KeptPlace> place = KeptPlaceOf(platform.dataFolder, folder);
    if (!place) {
        LogEvent("previous program not kept: no folder for it");
        return std::nullopt;
    }
    PendingKeep pending{*place, place->program + kPendingSuffix, place->record + kPendingSuffix};
    try {
        // What a run stopped in the middle left; a new file is never
        // written into an old one.
        RemoveLeft(files, pending.program);
        RemoveLeft(files, pending.record);
        const std::string keptFolder = platform.dataFolder + "\\" + kKeptFolderName;
        if (!files.CreateFolder(platform.dataFolder) || !files.CreateFolder(keptFolder))
            throw Error("its folder " + Quoted(keptFolder) + " cannot be made");
        KeptRecord record;
        record.folder = WithTrailingBackslash(folder);
        const std::optional<std::string> kept = CopyFileWithSha256(files, target, pending.program);
        const std::optional<std::string> replacing = Sha256OfFile(files, replacement);
        if (!kept || !replacing) throw Error("a program cannot be read whole");
        const FileVersion version = platform.versions.Read(target);
        record.version =
            version.present && version.number ? VersionText(*version.number) : std::string("none");
        record.sha256 = *kept;
        record.replacedBy = *replacing;
        record.when = TimeText(LocalTimeNow());
        WriteWholeFile(files, pending.record, FormatKeptRecord(record));
        LogEvent("previous program copied: version " + record.version + " sha256=" + record.sha256 +
                 " to " + Quoted(place->program));
        return pending;
    } catch (const std::exception& error) {
        // Not kept never means not upgraded: the upgrade goes on.
        LogEvent("previous program not kept, the upgrade goes on: " + Quoted(error.what()));
        RemoveLeft(files, pending.program);
        RemoveLeft(files, pending.record);
        return std::nullopt;
    }
}

void FinishKeep(FileSystem& files, const std::optional<PendingKeep>& pending, bool replaced) {
    if (!pending) return;
    if (replaced) {
        RemoveLeft(files, pending->place.record);
        const uint32_t program = files.Replace(pending->program, pending->place.program);
        const uint32_t record =
            program == 0 ? files.Replace(pending->record, pending->place.record) : program;
        LogEvent(record == 0 ? "previous program kept: " + Quoted(pending->place.record)
                             : "previous program not kept, result=" + std::to_string(record));
        if (record == 0) return;
    }
    RemoveLeft(files, pending->program);
    RemoveLeft(files, pending->record);
}

void ForgetKept(FileSystem& files, const KeptPlace& place) {
    RemoveLeft(files, place.record);
    RemoveLeft(files, place.program);
}

}  // namespace pellinor
