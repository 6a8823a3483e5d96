// Writing a file whole or not at all, on every file system.
#include "platform/WholeFile.h"

namespace pellinor {

namespace {
template <typename Write>
void WriteWhole(FileSystem& files, const std::string& path, const Write& write) {
    try {
        write();
    } catch (const CreateFileError&) {
        // Nothing was made: whatever is at the path belongs to someone else.
        throw;
    } catch (...) {
        files.Remove(path);
        throw;
    }
}
}  // namespace

void WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes) {
    WriteWhole(files, path, [&] { files.WriteFile(path, bytes); });
}

void WriteWholeFile(FileSystem& files, const std::string& path, ScratchFile& head,
                    const std::string& tail) {
    WriteWhole(files, path, [&] { files.WriteFile(path, head, tail); });
}

}  // namespace pellinor
