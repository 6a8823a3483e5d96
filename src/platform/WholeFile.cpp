// Writing a file whole or not at all, on every file system.
#include "platform/WholeFile.h"

namespace pellinor {

void WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes) {
    try {
        files.WriteFile(path, bytes);
    } catch (const CreateFileError&) {
        // Nothing was made: whatever is at the path belongs to someone else.
        throw;
    } catch (...) {
        files.Remove(path);
        throw;
    }
}

}  // namespace pellinor
