// A file of the program's own that holds bytes it would otherwise keep in
// memory, and that the system removes when it is closed, also when the
// program is ended in the middle: nothing of it stays behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace pellinor {

class ScratchFile {
  public:
    virtual ~ScratchFile() = default;
    // Adds bytes at its end. Throws pellinor::Error with the user's text
    // (a full disk) and then holds what it held before.
    virtual void Append(const char* data, size_t size) = 0;
    // Up to size bytes from offset on into data: fewer only at its end.
    // Throws pellinor::Error with the user's text.
    virtual size_t Read(uint64_t offset, char* data, size_t size) = 0;
    virtual uint64_t Size() const = 0;
    // Empties it. Throws pellinor::Error with the user's text.
    virtual void Clear() = 0;
};

// Hands the whole of file to take, from its start, in pieces of at most
// kScratchPiece bytes. Throws pellinor::Error when it cannot be read to
// its end.
void ForEachPiece(ScratchFile& file, const std::function<void(const char*, size_t)>& take);
// Large enough that a write costs one system call per piece, small enough
// to be nothing beside the memory of the oldest PC.
constexpr size_t kScratchPiece = size_t{1} << 20;

}  // namespace pellinor
