// The in-memory file system of the command tests.
#include "fakes/FakeFileSystem.h"

#include <algorithm>
#include <utility>

#include "platform/Error.h"
#include "text/TextRules.h"

namespace pellinor {

namespace {
std::string Key(const std::string& path) {
    return UpperAscii(path);
}

// The year every file of the fake was last written in.
constexpr int kFileYear = 2020;

// A name against a pattern of "*" and "?", both upper-cased.
bool Matches(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*')
        return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
    return *name != '\0' && (*pattern == '?' || *pattern == *name) &&
           Matches(pattern + 1, name + 1);
}

// The part of key after parent when key lies right below it; empty otherwise.
std::string NameBelow(const std::string& parent, const std::string& key) {
    if (key.size() <= parent.size() || key.compare(0, parent.size(), parent) != 0) return "";
    const size_t slash = key.find('\\', parent.size());
    if (slash != std::string::npos && slash != key.size() - 1) return "";
    return key.substr(parent.size(), slash == std::string::npos ? slash : slash - parent.size());
}
}  // namespace

void FakeFileSystem::AddFolder(const std::string& path) {
    folders_.insert(Key(WithTrailingBackslash(path)));
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& bytes, bool readOnly) {
    files_[Key(path)] = File{path, bytes, readOnly};
}

std::string FakeFileSystem::Bytes(const std::string& path) const {
    auto it = files_.find(Key(path));
    return it == files_.end() ? std::string() : it->second.bytes;
}

std::vector<std::string> FakeFileSystem::Files() const {
    std::vector<std::string> paths;
    for (const auto& [key, file] : files_) paths.push_back(file.path);
    return paths;
}

bool FakeFileSystem::DirectoryExists(const std::string& path) {
    return folders_.count(Key(WithTrailingBackslash(path))) > 0;
}

bool FakeFileSystem::ForEachEntry(const std::string& folder,
                                  const std::function<void(const std::string&, bool)>& visit) {
    if (!DirectoryExists(folder)) return false;
    const std::string parent = Key(WithTrailingBackslash(folder));
    // Listed before the first visit: a visit may change the files.
    std::vector<std::pair<std::string, bool>> entries;
    for (const std::string& sub : folders_) {
        const std::string name = NameBelow(parent, sub);
        if (!name.empty()) entries.emplace_back(name, true);
    }
    for (const auto& [key, file] : files_) {
        if (!NameBelow(parent, key).empty())
            entries.emplace_back(file.path.substr(parent.size()), false);
    }
    for (const auto& [name, isDirectory] : entries) visit(name, isDirectory);
    return true;
}

std::optional<FileIdentity> FakeFileSystem::DirectoryIdentity(const std::string&) {
    return std::nullopt;
}

std::optional<PatternMatch> FakeFileSystem::FindFirst(const std::string& pattern) {
    const size_t slash = pattern.find_last_of('\\');
    const std::string parent = Key(pattern.substr(0, slash + 1));
    const std::string namePattern = Key(pattern.substr(slash + 1));
    for (const auto& [key, file] : files_) {
        const std::string name = NameBelow(parent, key);
        if (!name.empty() && Matches(namePattern.c_str(), name.c_str()))
            return PatternMatch{false, kFileYear};
    }
    return std::nullopt;
}

bool FakeFileSystem::FileExists(const std::string& path) {
    return files_.count(Key(path)) > 0;
}

bool FakeFileSystem::IsReadOnly(const std::string& path) {
    auto it = files_.find(Key(path));
    return it != files_.end() && it->second.readOnly;
}

bool FakeFileSystem::Remove(const std::string& path) {
    log.push_back("delete " + path);
    auto it = files_.find(Key(path));
    if (it == files_.end() || it->second.readOnly || undeletable.count(Key(path))) return false;
    files_.erase(it);
    return true;
}

void FakeFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    log.push_back("write " + path);
    if (refuseWrites)
        throw CreateFileError("Cannot create file \"" + path + "\". Access is denied");
    const size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && !DirectoryExists(path.substr(0, slash + 1))) {
        throw CreateFileError("Cannot create file \"" + path +
                              "\". The system cannot find the path specified");
    }
    if (FileExists(path))
        throw CreateFileError("Cannot create file \"" + path + "\". The file exists");
    if (writeFailsAfter && bytes.size() > *writeFailsAfter) {
        files_[Key(path)] = File{path, bytes.substr(0, *writeFailsAfter), false};
        throw Error("Cannot write file \"" + path + "\". There is not enough space on the disk");
    }
    files_[Key(path)] = File{path, bytes, false};
}

std::string FakeFileSystem::ReadFile(const std::string& path, size_t maxBytes) {
    const std::string bytes = Bytes(path).substr(0, maxBytes);
    largestRead = std::max(largestRead, bytes.size());
    return bytes;
}

std::optional<std::string> FakeFileSystem::ReadFileRange(const std::string& path, uint64_t offset,
                                                         size_t maxBytes) {
    if (!FileExists(path) || unreadable.count(Key(path))) return std::nullopt;
    const std::string& bytes = files_.at(Key(path)).bytes;
    if (offset >= bytes.size()) return std::string();
    std::string piece = bytes.substr(static_cast<size_t>(offset), maxBytes);
    largestRead = std::max(largestRead, piece.size());
    return piece;
}

uint32_t FakeFileSystem::Replace(const std::string& from, const std::string& to) {
    ++replaceCalls;
    log.push_back("replace " + from + " -> " + to);
    if (!replaceFailures.empty()) {
        const uint32_t error = replaceFailures.front();
        replaceFailures.pop_front();
        return error;
    }
    if (replaceDoesNothing) return 0;
    auto source = files_.find(Key(from));
    if (source == files_.end()) return 2;
    File moved = source->second;
    moved.path = to;
    files_.erase(source);
    files_[Key(to)] = moved;
    return 0;
}

bool FakeFileSystem::AppendFile(const std::string& path, const std::string& bytes) {
    const size_t slash = path.find_last_of('\\');
    if (refuseAppends ||
        (slash != std::string::npos && !DirectoryExists(path.substr(0, slash + 1))))
        return false;
    auto it = files_.find(Key(path));
    if (it == files_.end()) it = files_.emplace(Key(path), File{path, "", false}).first;
    it->second.bytes += bytes;
    return true;
}

std::optional<uint64_t> FakeFileSystem::FileSize(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;
    return files_.at(Key(path)).bytes.size();
}

bool FakeFileSystem::CreateFolder(const std::string& path) {
    if (refuseFolders) return DirectoryExists(path);
    AddFolder(path);
    return true;
}

}  // namespace pellinor
