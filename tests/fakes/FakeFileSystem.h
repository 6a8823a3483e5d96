// An in-memory file system for the command tests: files by path (compared
// without ASCII case), folders listed and searched as the desktop scan reads
// them, read-only marks and scripted failures.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace pellinor {

class FakeFileSystem : public FileSystem {
  public:
    bool DirectoryExists(const std::string& path) override;
    bool ForEachEntry(const std::string& folder,
                      const std::function<void(const std::string&, bool)>& visit) override;
    std::optional<FileIdentity> DirectoryIdentity(const std::string& path) override;
    std::optional<PatternMatch> FindFirst(const std::string& pattern) override;
    bool FileExists(const std::string& path) override;
    bool IsReadOnly(const std::string& path) override;
    bool Remove(const std::string& path) override;
    using FileSystem::WriteFile;  // of a scratch file: read whole, then the bytes above
    void WriteFile(const std::string& path, const std::string& bytes) override;
    std::string ReadFile(const std::string& path, size_t maxBytes) override;
    std::optional<std::string> ReadFileRange(const std::string& path, uint64_t offset,
                                             size_t maxBytes) override;
    uint32_t Replace(const std::string& from, const std::string& to) override;
    bool AppendFile(const std::string& path, const std::string& bytes) override;
    std::optional<uint64_t> FileSize(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;

    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, const std::string& bytes, bool readOnly = false);
    std::string Bytes(const std::string& path) const;  // empty when missing
    std::vector<std::string> Files() const;            // every path, as stored

    // Error codes the coming Replace calls give before they succeed.
    std::deque<uint32_t> replaceFailures;
    int replaceCalls = 0;
    bool refuseWrites = false;              // every WriteFile fails as on a read-only disk
    std::optional<size_t> writeFailsAfter;  // a full disk: this much is written, then it fails
    bool replaceDoesNothing = false;        // Replace reports success and changes nothing
    bool refuseAppends = false;             // every AppendFile fails
    bool refuseFolders = false;             // every CreateFolder fails
    std::set<std::string> unreadable;       // paths that cannot be read (upper-cased)
    size_t largestRead = 0;                 // the most bytes one read returned
    std::set<std::string> undeletable;      // paths whose deletion fails (upper-cased)
    std::vector<std::string> log;           // "delete X", "write X", "replace X -> Y"

  private:
    struct File {
        std::string path;
        std::string bytes;
        bool readOnly = false;
    };
    std::map<std::string, File> files_;  // by upper-cased path
    std::set<std::string> folders_;      // upper-cased, with a trailing "\"
};

}  // namespace pellinor
