// The running processes: a snapshot and the means to end one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellinor {

struct ProcessEntry {
    uint32_t id = 0;
    std::string exeFile;  // as the snapshot gives it, UTF-8
};

class Processes {
  public:
    virtual ~Processes() = default;
    virtual std::vector<ProcessEntry> Snapshot() = 0;
    // Opens the process with the terminate right and ends it with exit code 0.
    virtual bool Terminate(uint32_t id) = 0;
};

}  // namespace pellinor
