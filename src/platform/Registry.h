// The current user's "Shell Folders" settings.
#pragma once

#include <optional>
#include <string>

namespace pellinor {

struct RegistryValue {
    bool isString = true;  // REG_SZ or REG_EXPAND_SZ
    std::string text;      // UTF-8, only when isString
};

class Registry {
  public:
    virtual ~Registry() = default;
    // Nothing when the key or the value is missing.
    virtual std::optional<RegistryValue> ReadShellFolder(const std::string& valueName) = 0;
};

}  // namespace pellinor
