// The parts of downloads kept under the user's local application data for
// the next run to go on from: at most one per address, each beside its
// record, all of them within kPartsBytesLimit and kPartLifeSeconds. A part
// is never a program: it becomes one only as the start of a body that
// arrives whole and passes every check.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "commands/keeping/PartRecord.h"
#include "http/HttpResponseReader.h"
#include "platform/FileSystem.h"
#include "transfer/PartKeeping.h"

namespace pellinor {

// A body's bytes reach the part in the client's pieces (what it held in
// memory, and at most one receive more): past the record's count a part
// may hold at most one such piece, written before a kill stopped the
// record that would have counted it.
constexpr uint64_t kLargestUncountedBytes = uint64_t{kBodyHeldInMemory} + kReadSize;

class KeptParts : public PartKeeping {
  public:
    using Clock = std::function<int64_t()>;
    // dataFolder: the program's folder under the local application data,
    // without "\" at its end; empty: nothing is kept.
    KeptParts(
        FileSystem& files, std::string dataFolder,
        Clock now = [] { return static_cast<int64_t>(std::time(nullptr)); });
    ~KeptParts() override;

    ScratchFile& Begin(const std::string& address, ScratchFile& scratch,
                       const HttpResponse& response, std::optional<KeptStart>& kept) override;
    uint64_t End(const HttpResponse& response, const std::string& validator, uint64_t total,
                 bool keep) override;

    // Removes the part kept of address (encoded) and its record: the next
    // download of it starts from byte 0.
    void Forget(const std::string& address);

    // Removes what the parts' folder must not hold: records that do not
    // read, name another address's place or are past their life, with
    // their parts; parts without a good record or of another size than it
    // counts; the oldest parts while all together pass kPartsBytesLimit.
    void Tidy();

  private:
    class Mirror;
    FileSystem& files_;
    std::string dataFolder_;
    Clock now_;
    std::unique_ptr<Mirror> mirror_;
};

}  // namespace pellinor
