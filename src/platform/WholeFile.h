// Writing a file whole or not at all, on every file system.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

// Creates or overwrites path with bytes. When the file was made but could
// not be written to its end (a full disk, a pulled stick), it is removed
// again: a piece must never stay behind to be taken for the whole. A file
// that was there before and could not even be opened (another program
// holds it) is left as it was. Throws pellinor::Error as WriteFile does.
void WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes);

}  // namespace pellinor
