// Version resources through the system's own functions (GetFileVersionInfoW,
// VerQueryValueW).
#pragma once

#include "platform/FileVersions.h"

namespace pellinor {

class Win32FileVersions : public FileVersions {
  public:
    FileVersion Read(const std::string& path) override;
};

}  // namespace pellinor
