// What a download could not finish, kept on disk for the next run to go on
// from: the one-file fetch asks for it before its first request, writes the
// body through it as it arrives, and tells it at the end whether to keep.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "http/HttpResponse.h"
#include "platform/ScratchFile.h"

namespace pellinor {

// The part an earlier run kept of an address, now in the scratch file.
struct KeptStart {
    uint64_t held = 0;      // its bytes, the file's first ones
    std::string validator;  // the strong validator of the answer they came with
    uint64_t total = 0;     // the file's length as that answer announced it
};

class PartKeeping {
  public:
    virtual ~PartKeeping() = default;

    // Before the first request for address (encoded): the bytes an earlier
    // run kept of it, put into scratch (emptied first); none when nothing
    // kept can be trusted, and then nothing of it stays on disk. Returns
    // what the client is to write bodies into: scratch's bytes go on to the
    // part as they go into scratch. response is the reply being read: its
    // header fields name the file a new part holds.
    virtual ScratchFile& Begin(const std::string& address, ScratchFile& scratch,
                               const HttpResponse& response, std::optional<KeptStart>& kept) = 0;

    // The download ended. keep: the file did not arrive whole and what is
    // held may be resumed (response's bytes, point's validator and total):
    // it is kept for the next run; otherwise nothing is. Returns the bytes
    // kept.
    virtual uint64_t End(const HttpResponse& response, const std::string& validator, uint64_t total,
                         bool keep) = 0;
};

}  // namespace pellinor
