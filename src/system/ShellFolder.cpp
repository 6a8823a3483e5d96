// The folders the current user's "Shell Folders" key names.
#include "system/ShellFolder.h"

#include "platform/Error.h"

namespace pellinor {

std::string GetShellFolder(Registry& registry, const std::string& valueName) {
    const std::optional<RegistryValue> value = registry.ReadShellFolder(valueName);
    if (!value) return std::string();
    if (!value->isString) throw Error("Invalid data type for '" + valueName + "'");
    return value->text;
}

}  // namespace pellinor
