// The process list through the Toolhelp snapshot, and ending a process.
#pragma once

#include "platform/Processes.h"

namespace pellinor {

class Win32Processes : public Processes {
  public:
    std::vector<ProcessEntry> Snapshot() override;
    bool Terminate(uint32_t id) override;
};

}  // namespace pellinor
