// Writing a file whole or not at all, on every file system.
#include "platform/WholeFile.h"

namespace pellinor {

void WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes) {
    const bool existed = files.FileExists(path);
    try {
        files.WriteFile(path, bytes);
    } catch (...) {
        if (!existed) files.Remove(path);
        throw;
    }
}

}  // namespace pellinor
