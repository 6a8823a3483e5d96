// A kept part's record: its text, its reading, and the names of the files.
#include "commands/keeping/PartRecord.h"

#include <vector>

#include "commands/keeping/RecordText.h"
#include "commands/signatures/Sha256.h"

namespace pellinor {

namespace {

// The record's fields, in the order they are written and read.
constexpr const char* kAddressField = "address";
constexpr const char* kValidatorField = "validator";
constexpr const char* kTotalField = "total";
constexpr const char* kHeldField = "held";
constexpr const char* kReferenceField = "reference";
constexpr const char* kWrittenField = "written";

// What a patch's file name holds between its program's name and ".zst".
constexpr const char* kPatchMark = ".from-";
constexpr const char* kPatchEnd = ".zst";

// Decimal digits only, as the record writes them, within 19 digits so
// that the value fits a signed 64-bit number too.
std::optional<uint64_t> Decimal(const std::string& text) {
    if (text.empty() || text.size() > 19 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

PartReading Problem(const std::string& problem) {
    PartReading reading;
    reading.problem = problem;
    return reading;
}

}  // namespace

std::string PartsFolderOf(const std::string& dataFolder) {
    return dataFolder + "\\" + kPartsFolderName;
}

PartPlace PartPlaceOf(const std::string& dataFolder, const std::string& address) {
    const std::string base = PartsFolderOf(dataFolder) + "\\" + PlaceName(address);
    return PartPlace{base + ".part", base + ".record"};
}

std::string ReferenceOf(const std::string& address) {
    const size_t slash = address.find_last_of('/');
    const std::string name = address.substr(slash == std::string::npos ? 0 : slash + 1);
    const size_t mark = name.rfind(kPatchMark);
    if (mark == std::string::npos) return std::string();
    const size_t from = mark + std::string(kPatchMark).size();
    const std::string end = kPatchEnd;
    if (name.size() != from + 64 + end.size() || name.compare(from + 64, end.size(), end) != 0)
        return std::string();
    const std::string digest = name.substr(from, 64);
    return IsSha256Hex(digest) ? digest : std::string();
}

std::string FormatPartRecord(const PartRecord& record) {
    std::string text = std::string(kPartRecordHeader) + "\r\n";
    const auto field = [&text](const char* name, const std::string& value) {
        text += std::string(name) + "=" + value + "\r\n";
    };
    field(kAddressField, record.address);
    field(kValidatorField, record.validator);
    field(kTotalField, std::to_string(record.total));
    field(kHeldField, std::to_string(record.held));
    if (!record.reference.empty()) field(kReferenceField, record.reference);
    field(kWrittenField, std::to_string(record.written));
    return text;
}

PartReading ParsePartRecord(const std::string& text) {
    if (text.size() > kLargestPartRecordBytes) return Problem("larger than a record");
    const std::optional<std::vector<std::string>> split = CrlfLines(text);
    if (!split) return Problem("a line without its end (cut?)");
    const std::vector<std::string>& lines = *split;
    if (lines.empty() || lines[0] != kPartRecordHeader)
        return Problem("not the record's first line");
    size_t next = 1;
    // The value of the field expected next; none when that line is another's.
    const auto take = [&](const char* name) -> std::optional<std::string> {
        const std::string prefix = std::string(name) + "=";
        if (next >= lines.size() || lines[next].compare(0, prefix.size(), prefix) != 0)
            return std::nullopt;
        std::string value = lines[next++].substr(prefix.size());
        if (value.empty() || HasControl(value)) return std::nullopt;
        return value;
    };
    PartRecord record;
    const std::optional<std::string> address = take(kAddressField);
    const std::optional<std::string> validator = take(kValidatorField);
    const std::optional<std::string> total = take(kTotalField);
    const std::optional<std::string> held = take(kHeldField);
    if (!address || !validator || !total || !held)
        return Problem("line " + std::to_string(next + 1) + " is not the field in its place");
    const std::optional<std::string> reference = take(kReferenceField);
    const std::optional<std::string> written = take(kWrittenField);
    if (!written || next != lines.size()) return Problem("not the record's lines");
    const std::optional<uint64_t> totalBytes = Decimal(*total);
    const std::optional<uint64_t> heldBytes = Decimal(*held);
    const std::optional<uint64_t> when = Decimal(*written);
    if (!totalBytes || !heldBytes || !when) return Problem("a number that is not one");
    if (*heldBytes == 0 || *heldBytes >= *totalBytes) return Problem("no part of the file held");
    record.address = *address;
    record.validator = *validator;
    record.total = *totalBytes;
    record.held = *heldBytes;
    record.reference = reference.value_or(std::string());
    record.written = static_cast<int64_t>(*when);
    if (record.reference != ReferenceOf(record.address))
        return Problem("a reference program its address does not name");
    PartReading reading;
    reading.record = record;
    return reading;
}

PartReading ReadPartRecord(FileSystem& files, const std::string& path) {
    if (!files.FileExists(path)) {
        if (files.DirectoryExists(path)) return Problem("a folder in the record's place");
        return Problem("missing");
    }
    // One byte more than a record may have, so that a larger file is seen.
    const std::optional<std::string> text =
        files.ReadFileRange(path, 0, kLargestPartRecordBytes + 1);
    if (!text) return Problem("it cannot be read");
    return ParsePartRecord(*text);
}

}  // namespace pellinor
