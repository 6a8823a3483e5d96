// Writing a file whole or not at all, on every file system.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

// Creates path as a new file holding bytes. When the file was made but
// could not be written to its end (a full disk, a pulled stick), it is
// removed again: a piece must never stay behind to be taken for the whole.
// A file that was already there is never opened, and is left as it was.
// Throws as WriteFile does.
void WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes);
// The same for the bytes a scratch file holds followed by tail.
void WriteWholeFile(FileSystem& files, const std::string& path, ScratchFile& head,
                    const std::string& tail);

}  // namespace pellinor
