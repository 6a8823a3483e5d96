// The file-system service on real Linux folders, so the tests and the
// benchmarks run the logic against a real tree. Windows paths are mapped onto
// a root folder: "X:\a\b" and "\a\b" both name root/a/b (the drive letter is
// dropped). Names are compared as Linux does (case-sensitive), except in
// FindFirst's last component, which follows Windows and ignores ASCII case.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

// The Windows error code that a failed rename's errno stands for:
// EACCES, EPERM, EROFS → 5 (access denied); EBUSY, ETXTBSY → 32 (in use);
// ENOENT, ENOTDIR → 2 (not found); ENOSPC, EDQUOT → 112 (disk full);
// anything else → 5, since the callers only tell "refused" from "done".
uint32_t WindowsErrorFromErrno(int error);

class PosixFileSystem : public FileSystem {
  public:
    // root is a Linux folder ("/" allowed, empty text refused).
    explicit PosixFileSystem(std::string root);

    // The Linux path that a Windows path names under the root.
    std::string HostPath(const std::string& windowsPath) const;

    bool DirectoryExists(const std::string& path) override;
    bool ForEachEntry(
        const std::string& folder,
        const std::function<void(const std::string& name, bool isDirectory)>& visit) override;
    std::optional<FileIdentity> DirectoryIdentity(const std::string& path) override;
    std::optional<PatternMatch> FindFirst(const std::string& pattern) override;
    bool FileExists(const std::string& path) override;
    // Read-only means the owner has no write permission; root's power to
    // write anyway does not count, as Windows' attribute would not either.
    bool IsReadOnly(const std::string& path) override;
    // Plain unlink(2): unlike Windows, a read-only file can be deleted here;
    // the program checks the attribute itself before it replaces anything.
    bool Remove(const std::string& path) override;
    void WriteFile(const std::string& path, const std::string& bytes) override;
    void WriteFile(const std::string& path, ScratchFile& head, const std::string& tail) override;
    std::unique_ptr<ScratchFile> OpenScratchFile() override;
    std::string ReadFile(const std::string& path, size_t maxBytes) override;
    std::optional<std::string> ReadFileRange(const std::string& path, uint64_t offset,
                                             size_t maxBytes) override;
    // rename(2), which replaces an existing target atomically; a failure is
    // reported through WindowsErrorFromErrno.
    uint32_t Replace(const std::string& from, const std::string& to) override;
    bool AppendFile(const std::string& path, const std::string& bytes) override;
    std::optional<uint64_t> FileSize(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;

  private:
    // Creates path as a new file holding head's bytes (when given), then tail's.
    void WriteNewFile(const std::string& path, ScratchFile* head, const std::string& tail);

    std::string root_;  // without a trailing "/", empty for "/"
};

}  // namespace pellinor
