// The file-system service on the real Windows file system (W APIs; paths are
// UTF-8 inside the program and UTF-16 at the system's door).
#pragma once

#include "platform/FileSystem.h"

namespace pellinor {

class Win32FileSystem : public FileSystem {
  public:
    bool DirectoryExists(const std::string& path) override;
    bool ForEachEntry(
        const std::string& folder,
        const std::function<void(const std::string& name, bool isDirectory)>& visit) override;
    std::optional<FileIdentity> DirectoryIdentity(const std::string& path) override;
    std::optional<PatternMatch> FindFirst(const std::string& pattern) override;
    bool FileExists(const std::string& path) override;
    bool IsReadOnly(const std::string& path) override;
    bool Remove(const std::string& path) override;
    void WriteFile(const std::string& path, const std::string& bytes) override;
    void WriteFile(const std::string& path, ScratchFile& head, const std::string& tail) override;
    std::unique_ptr<ScratchFile> OpenScratchFile() override;
    std::string ReadFile(const std::string& path, size_t maxBytes) override;
    std::optional<std::string> ReadFileRange(const std::string& path, uint64_t offset,
                                             size_t maxBytes) override;
    uint32_t Replace(const std::string& from, const std::string& to) override;
    bool AppendFile(const std::string& path, const std::string& bytes) override;
    std::optional<uint64_t> FileSize(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
};

}  // namespace pellinor
