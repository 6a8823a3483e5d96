// The file-system operations the logic needs. Paths are Windows paths in
// UTF-8 ("C:\dir\file"); the native implementation maps them onto a folder.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Error.h"
#include "platform/ScratchFile.h"

namespace pellinor {

// The system error codes of file operations, numbered as Windows numbers
// them on both builds: the user's notice shows them.
enum : uint32_t {
    kErrorFileNotFound = 2,
    kErrorAccessDenied = 5,
    kErrorWriteFault = 29,
    kErrorSharingViolation = 32,
    kErrorLockViolation = 33,
    kErrorDiskFull = 112,
};

// WriteFile could not make the file at all: nothing was written, and what
// is at the path (if anything) is not the caller's to remove.
class CreateFileError : public Error {
  public:
    using Error::Error;
};

// Identifies a directory across links and junctions: volume plus file index.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t file = 0;
    bool operator==(const FileIdentity& o) const { return volume == o.volume && file == o.file; }
};

// The first entry that a wildcard pattern finds.
struct PatternMatch {
    bool isDirectory = false;
    int lastWriteYear = 0;  // local time
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    virtual bool DirectoryExists(const std::string& path) = 0;

    // Calls visit for every entry of folder (which ends with "\"), "." and ".."
    // included, in the order the file system returns them. isDirectory follows
    // links. Returns false when the folder could not be enumerated.
    virtual bool ForEachEntry(
        const std::string& folder,
        const std::function<void(const std::string& name, bool isDirectory)>& visit) = 0;

    virtual std::optional<FileIdentity> DirectoryIdentity(const std::string& path) = 0;

    // First match of a pattern whose last component may hold "*"; case-insensitive.
    virtual std::optional<PatternMatch> FindFirst(const std::string& pattern) = 0;

    virtual bool FileExists(const std::string& path) = 0;
    virtual bool IsReadOnly(const std::string& path) = 0;

    // Missing files are no error; the result says whether a file was removed.
    // A link at path is never removed through: what it points at stays.
    virtual bool Remove(const std::string& path) = 0;

    // Creates path as a new file and writes bytes to it. A file already at
    // path is never opened: another program's file, or a piece another
    // command left there, must not be written into or taken for ours.
    // Throws CreateFileError ("Cannot create file ...") when the file was
    // not made, and pellinor::Error when it was made but could not be
    // written whole, possibly leaving a piece (WriteWholeFile removes it).
    virtual void WriteFile(const std::string& path, const std::string& bytes) = 0;

    // The same for bytes that a scratch file holds, followed by tail: a
    // large download is written without being held in memory whole.
    // Throws as WriteFile does, and pellinor::Error when the scratch file
    // cannot be read. Here: read into memory and written at once, which is
    // what a file system whose files are memory anyway can do.
    virtual void WriteFile(const std::string& path, ScratchFile& head, const std::string& tail);

    // A new, empty scratch file in the system's folder for temporary files;
    // null when none can be made (the caller then holds its bytes in
    // memory). Here: none.
    virtual std::unique_ptr<ScratchFile> OpenScratchFile() { return nullptr; }

    // Up to maxBytes from the start of the file; empty when it cannot be read.
    virtual std::string ReadFile(const std::string& path, size_t maxBytes) = 0;

    // Up to maxBytes from offset on: fewer only where the file ends (none
    // from its end on); nothing when it cannot be opened or read.
    virtual std::optional<std::string> ReadFileRange(const std::string& path, uint64_t offset,
                                                     size_t maxBytes) = 0;

    // Puts from in the place of to in one step, replacing an existing to.
    // Returns 0 or the system error code of the failure (5 access denied, 32 in use).
    virtual uint32_t Replace(const std::string& from, const std::string& to) = 0;

    // What the support log needs. None of them throws: a log that cannot
    // be written must never change what a command does.

    // Appends bytes at the end of path, making the file if it is missing;
    // others may read and append while it is open. False when not written.
    virtual bool AppendFile(const std::string& path, const std::string& bytes) = 0;
    // The size of a file; none when it is missing or cannot be read.
    virtual std::optional<uint64_t> FileSize(const std::string& path) = 0;
    // Makes a folder whose parent exists; true when the folder exists afterwards.
    virtual bool CreateFolder(const std::string& path) = 0;
};

}  // namespace pellinor
