// Reading a scratch file back, and the file system's write of one.
#include "platform/ScratchFile.h"

#include <algorithm>
#include <string>

#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace pellinor {

void ForEachPiece(ScratchFile& file, const std::function<void(const char*, size_t)>& take) {
    const uint64_t size = file.Size();
    std::string piece(static_cast<size_t>(std::min<uint64_t>(size, kScratchPiece)), '\0');
    for (uint64_t done = 0; done < size;) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(size - done, piece.size()));
        const size_t n = file.Read(done, &piece[0], want);
        if (n == 0) throw Error("The temporary copy of the download ended before its size.");
        take(piece.data(), n);
        done += n;
    }
}

void FileSystem::WriteFile(const std::string& path, ScratchFile& head, const std::string& tail) {
    std::string bytes;
    ForEachPiece(head, [&bytes](const char* data, size_t size) { bytes.append(data, size); });
    WriteFile(path, bytes + tail);
}

}  // namespace pellinor
