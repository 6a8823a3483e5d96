// Keeping, reading back and tidying the parts of downloads. The bytes go
// first, then the record that counts them: a stop at any moment leaves a
// record that counts no more than the part holds.
#include "commands/keeping/KeptParts.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "log/LogEvent.h"
#include "log/LogLine.h"
#include "platform/WholeFile.h"
#include "text/TextRules.h"
#include "transfer/ResumableFetch.h"

namespace pellinor {

namespace {

// The record is rewritten beside itself and put in place in one step: a
// stop in the middle leaves the one before.
constexpr const char* kRecordPendingSuffix = ".new";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The decimal number text holds, trimmed; 0 when it holds none.
uint64_t DecimalOrZero(const std::string& text) {
    const std::string value = Trim(text);
    if (value.empty() || value.size() > 19) return 0;
    uint64_t number = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    return number;
}

// The file's length as a reply announces it: a 200's Content-Length, the
// complete length in a 206's Content-Range ("bytes 10-99/100"); 0 when
// there is none that reads.
uint64_t FileLength(const HttpResponse& response) {
    for (const auto& h : response.headers) {
        if (response.status == 200 && SameTextAscii(h.first, "Content-Length"))
            return DecimalOrZero(h.second);
        if (response.status == 206 && SameTextAscii(h.first, "Content-Range"))
            return DecimalOrZero(h.second.substr(h.second.rfind('/') + 1));
    }
    return 0;
}

void RemoveBoth(FileSystem& files, const PartPlace& place) {
    files.Remove(place.record);
    files.Remove(place.part);
    files.Remove(place.record + kRecordPendingSuffix);
}

// Why a good record and its part cannot be continued; empty when they can.
std::string Unusable(FileSystem& files, const PartRecord& record, const PartPlace& place,
                     int64_t now) {
    const int64_t age = now - record.written;
    if (age > kPartLifeSeconds || age < -kPartClockSlackSeconds) return "past its life";
    if (record.total > kPartsBytesLimit) return "larger than all parts may be";
    const std::optional<uint64_t> size = files.FileSize(place.part);
    if (!size) return "its part is missing or no file";
    if (*size < record.held) return "its part is shorter than its record counts (cut?)";
    if (*size - record.held > kLargestUncountedBytes)
        return "its part is longer than its record can leave uncounted (grown?)";
    return std::string();
}

}  // namespace

// What the client writes a body into: the scratch file, and on from it the
// part of the download, each piece followed by the record that counts it.
class KeptParts::Mirror : public ScratchFile {
  public:
    Mirror(FileSystem& files, ScratchFile& inner, const HttpResponse& response, Clock now)
        : files_(files), inner_(inner), response_(response), now_(std::move(now)) {}

    // Parts are kept at place for address; a part already there holds the
    // first held bytes of the file record names.
    void Keep(const PartPlace& place, const std::string& address) {
        place_ = place;
        record_.address = address;
        record_.reference = ReferenceOf(address);
        keeping_ = true;
    }
    void Continue(const PartRecord& record) {
        record_ = record;
        written_ = record.held;
    }

    void Append(const char* data, size_t size) override {
        inner_.Append(data, size);
        if (!keeping_) return;
        if (written_ + size != inner_.Size()) return Abandon("the part fell behind its download");
        // A new part is named by the answer whose body it begins.
        if (written_ == 0 && !Identify()) return;
        Write(std::string(data, size));
    }
    size_t Read(uint64_t offset, char* data, size_t size) override {
        return inner_.Read(offset, data, size);
    }
    uint64_t Size() const override { return inner_.Size(); }
    void Clear() override {
        inner_.Clear();
        // A body from the file's start: the part begins anew with it.
        if (keeping_) RemoveBoth(files_, place_);
        written_ = 0;
        record_.validator.clear();
        record_.total = 0;
    }

    // The download ended: the part holds all of response's bytes under
    // validator, or is removed. Returns the bytes kept.
    uint64_t End(const HttpResponse& response, const std::string& validator, uint64_t total,
                 bool keep) {
        if (!keeping_) return 0;
        if (!keep) {
            RemoveBoth(files_, place_);
            keeping_ = false;
            return 0;
        }
        if (written_ != response.spilled) {
            Abandon("the part does not hold the download's start");
            return 0;
        }
        if (total > kPartsBytesLimit) {
            Abandon("the file is larger than all parts may be");
            return 0;
        }
        record_.validator = validator;
        record_.total = total;
        Write(response.body);
        return keeping_ ? written_ : 0;
    }

  private:
    // The validator and length of the answer now being read (a 200, or a
    // 206 that goes on from bytes still all in memory); false (and nothing
    // kept) when it cannot be continued in another run.
    bool Identify() {
        record_.validator = StrongValidator(response_.headers);
        record_.total = FileLength(response_);
        if (record_.validator.empty() || record_.total == 0 || RangesRefused(response_)) {
            Abandon("the answer cannot be continued (no strong validator or length)");
            return false;
        }
        if (record_.total > kPartsBytesLimit) {
            Abandon("the file is larger than all parts may be");
            return false;
        }
        return true;
    }
    // Adds bytes to the part, then the record that counts them.
    void Write(const std::string& bytes) {
        try {
            if (written_ == 0) {
                // Whatever stands at the part's name (a piece without a
                // record, a link) is not written into.
                files_.Remove(place_.part);
                WriteWholeFile(files_, place_.part, bytes);
            } else if (!bytes.empty() && !files_.AppendFile(place_.part, bytes)) {
                throw Error("it cannot be written");
            }
            written_ += bytes.size();
            record_.held = written_;
            record_.written = now_();
            const std::string pending = place_.record + kRecordPendingSuffix;
            files_.Remove(pending);
            WriteWholeFile(files_, pending, FormatPartRecord(record_));
            if (const uint32_t error = files_.Replace(pending, place_.record))
                throw Error("its record cannot be put in place, error " + std::to_string(error));
        } catch (const std::exception& error) {
            Abandon(error.what());
        }
    }

    void Abandon(const std::string& why) {
        if (!keeping_) return;
        LogEvent("no part kept of " + AddressForLog(record_.address) + ": " + why);
        RemoveBoth(files_, place_);
        keeping_ = false;
    }

    FileSystem& files_;
    ScratchFile& inner_;
    const HttpResponse& response_;
    Clock now_;
    PartPlace place_;
    PartRecord record_;
    uint64_t written_ = 0;  // the part's bytes: the scratch file's first ones
    bool keeping_ = false;
};

KeptParts::KeptParts(FileSystem& files, std::string dataFolder, Clock now)
    : files_(files), dataFolder_(std::move(dataFolder)), now_(std::move(now)) {}

KeptParts::~KeptParts() = default;

ScratchFile& KeptParts::Begin(const std::string& address, ScratchFile& scratch,
                              const HttpResponse& response, std::optional<KeptStart>& kept) {
    kept.reset();
    mirror_ = std::make_unique<Mirror>(files_, scratch, response, now_);
    if (dataFolder_.empty()) return *mirror_;
    const std::string folder = PartsFolderOf(dataFolder_);
    if (!files_.CreateFolder(dataFolder_) || !files_.CreateFolder(folder)) {
        LogEvent("no part kept: its folder " + Quoted(folder) + " cannot be made");
        return *mirror_;
    }
    Tidy();
    const PartPlace place = PartPlaceOf(dataFolder_, address);
    mirror_->Keep(place, address);
    if (!files_.FileExists(place.record) && !files_.FileExists(place.part)) return *mirror_;
    const PartReading reading = ReadPartRecord(files_, place.record);
    std::string problem = reading.problem;
    if (reading.record && reading.record->address != address) problem = "it names another address";
    if (problem.empty()) problem = Unusable(files_, *reading.record, place, now_());
    if (problem.empty()) {
        // Only the bytes the record counts: any after them were written
        // by a run stopped before it could count them.
        const PartRecord& record = *reading.record;
        try {
            scratch.Clear();
            for (uint64_t offset = 0; offset < record.held;) {
                const size_t want =
                    static_cast<size_t>(std::min<uint64_t>(record.held - offset, kScratchPiece));
                const std::optional<std::string> piece =
                    files_.ReadFileRange(place.part, offset, want);
                if (!piece || piece->size() != want) throw Error("its part cannot be read");
                scratch.Append(piece->data(), piece->size());
                offset += want;
            }
            if (files_.FileSize(place.part) != record.held) {
                // The part is made again of the counted bytes, so that the
                // next ones go on right after them.
                files_.Remove(place.part);
                WriteWholeFile(files_, place.part, scratch, std::string());
            }
            mirror_->Continue(record);
            kept = KeptStart{record.held, record.validator, record.total};
            LogEvent("kept part found: " + std::to_string(record.held) + " of " +
                     std::to_string(record.total) + " bytes, validator " + record.validator);
            return *mirror_;
        } catch (const std::exception& error) {
            problem = error.what();
            scratch.Clear();
        }
    }
    LogEvent("kept part removed, the download starts over: " + problem);
    RemoveBoth(files_, place);
    return *mirror_;
}

uint64_t KeptParts::End(const HttpResponse& response, const std::string& validator, uint64_t total,
                        bool keep) {
    return mirror_ ? mirror_->End(response, validator, total, keep) : 0;
}

void KeptParts::Forget(const std::string& address) {
    RemoveBoth(files_, PartPlaceOf(dataFolder_, address));
    LogEvent("kept part of " + AddressForLog(address) + " removed: the download starts afresh");
}

void KeptParts::Tidy() {
    const std::string folder = PartsFolderOf(dataFolder_);
    std::vector<std::string> names;
    files_.ForEachEntry(folder + "\\", [&names](const std::string& name, bool isDirectory) {
        if (!isDirectory) names.push_back(name);
    });
    struct Good {
        PartPlace place;
        int64_t written;
        uint64_t bytes;
    };
    std::vector<Good> good;
    const int64_t now = now_();
    for (const std::string& name : names) {
        const std::string path = folder + "\\" + name;
        if (EndsWith(name, std::string(".record") + kRecordPendingSuffix)) {
            files_.Remove(path);  // a record a stop left unfinished
            continue;
        }
        if (!EndsWith(name, ".record")) continue;
        const PartReading reading = ReadPartRecord(files_, path);
        std::string problem = reading.problem;
        PartPlace place{path.substr(0, path.size() - 7) + ".part", path};
        if (reading.record && PartPlaceOf(dataFolder_, reading.record->address).record != path)
            problem = "it names an address whose part is kept elsewhere";
        if (problem.empty()) problem = Unusable(files_, *reading.record, place, now);
        if (problem.empty()) {
            good.push_back(Good{place, reading.record->written, reading.record->held});
            continue;
        }
        LogEvent("kept part removed: " + Quoted(name) + " " + problem);
        RemoveBoth(files_, place);
    }
    // A part whose record did not read went with it; one without any goes now.
    for (const std::string& name : names) {
        if (!EndsWith(name, ".part")) continue;
        const std::string path = folder + "\\" + name;
        if (!files_.FileExists(path.substr(0, path.size() - 5) + ".record") &&
            files_.Remove(path)) {
            LogEvent("kept part removed: " + Quoted(name) + " has no record");
        }
    }
    std::sort(good.begin(), good.end(),
              [](const Good& a, const Good& b) { return a.written < b.written; });
    uint64_t all = 0;
    for (const Good& g : good) all += g.bytes;
    for (const Good& g : good) {
        if (all <= kPartsBytesLimit) break;
        LogEvent("kept part removed, the oldest while all pass their bound: " +
                 Quoted(g.place.part));
        RemoveBoth(files_, g.place);
        all -= g.bytes;
    }
}

}  // namespace pellinor
