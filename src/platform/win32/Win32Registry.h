// The current user's "Shell Folders" key in the real registry.
#pragma once

#include "platform/Registry.h"

namespace pellinor {

class Win32Registry : public Registry {
  public:
    std::optional<RegistryValue> ReadShellFolder(const std::string& valueName) override;
};

}  // namespace pellinor
