// The file-system service on real Linux folders.
#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <utility>

#include "platform/Error.h"
#include "text/TextRules.h"

namespace pellinor {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now so that a failing close (a full disk, late) is seen.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// stat(2) following links; a dangling link is described by itself.
bool StatFollowing(const std::string& path, struct stat& st) {
    return ::stat(path.c_str(), &st) == 0 || ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

uint32_t WindowsErrorFromErrno(int error) {
    switch (error) {
        case 0:
            return 0;
        case EACCES:
        case EPERM:
        case EROFS:
            return kErrorAccessDenied;
        case EBUSY:
        case ETXTBSY:
            return kErrorSharingViolation;
        case ENOENT:
        case ENOTDIR:
            return kErrorFileNotFound;
        case ENOSPC:
        case EDQUOT:
            return kErrorDiskFull;
        default:
            return kErrorAccessDenied;
    }
}

PosixFileSystem::PosixFileSystem(std::string root) : root_(std::move(root)) {
    // An empty root is a caller's slip, not "/": it would let a test loose
    // on the machine's own folders.
    if (root_.empty()) throw std::invalid_argument("PosixFileSystem needs a root folder");
    while (!root_.empty() && root_.back() == '/') root_.pop_back();
}

std::string PosixFileSystem::HostPath(const std::string& windowsPath) const {
    size_t at = 0;
    if (windowsPath.size() >= 2 && windowsPath[1] == ':') at = 2;
    std::string host = root_;
    while (at < windowsPath.size()) {
        const size_t end = windowsPath.find('\\', at);
        const size_t stop = end == std::string::npos ? windowsPath.size() : end;
        if (stop > at) {
            host += '/';
            host.append(windowsPath, at, stop - at);
        }
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return host.empty() ? std::string("/") : host;
}

bool PosixFileSystem::DirectoryExists(const std::string& path) {
    struct stat st;
    return ::stat(HostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::ForEachEntry(
    const std::string& folder,
    const std::function<void(const std::string& name, bool isDirectory)>& visit) {
    DirHandle dir(::opendir(HostPath(folder).c_str()));
    if (!dir) return false;
    const int dirFd = ::dirfd(dir.get());
    std::string name;
    // d_type answers for almost every entry; only links and file systems
    // that leave the type open cost a stat, which keeps a drive walk fast.
    while (const dirent* entry = ::readdir(dir.get())) {
        name.assign(entry->d_name);
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st;
            isDirectory = ::fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        visit(name, isDirectory);
    }
    return true;
}

std::optional<FileIdentity> PosixFileSystem::DirectoryIdentity(const std::string& path) {
    struct stat st;
    if (::stat(HostPath(path).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
    FileIdentity id;
    id.volume = static_cast<uint64_t>(st.st_dev);
    id.file = static_cast<uint64_t>(st.st_ino);
    return id;
}

std::optional<PatternMatch> PosixFileSystem::FindFirst(const std::string& pattern) {
    const size_t sep = pattern.find_last_of('\\');
    const std::string folder = sep == std::string::npos ? std::string() : pattern.substr(0, sep);
    const std::string namePattern = sep == std::string::npos ? pattern : pattern.substr(sep + 1);
    const std::string hostFolder = HostPath(folder);
    DirHandle dir(::opendir(hostFolder.c_str()));
    if (!dir) return std::nullopt;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!WildcardMatch(namePattern, entry->d_name)) continue;
        struct stat st;
        if (!StatFollowing(hostFolder + "/" + entry->d_name, st)) continue;
        PatternMatch match;
        match.isDirectory = S_ISDIR(st.st_mode);
        struct tm local;
        const time_t written = st.st_mtime;
        match.lastWriteYear = ::localtime_r(&written, &local) ? local.tm_year + 1900 : 0;
        return match;
    }
    return std::nullopt;
}

bool PosixFileSystem::FileExists(const std::string& path) {
    struct stat st;
    return ::stat(HostPath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::IsReadOnly(const std::string& path) {
    struct stat st;
    return ::stat(HostPath(path).c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

bool PosixFileSystem::Remove(const std::string& path) {
    return ::unlink(HostPath(path).c_str()) == 0;
}

namespace {
// Writes all of data at fd's position; 0, or the errno that stopped it.
int WriteAllBytes(int fd, const char* data, size_t size) {
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

// Writes everything to fd or throws with the path's text.
void WriteAll(int fd, const std::string& path, const char* data, size_t size) {
    if (const int error = WriteAllBytes(fd, data, size)) {
        throw Error("Cannot write file \"" + path + "\". " + std::strerror(error));
    }
}

// An unlinked file in the system's temporary folder: gone with its descriptor.
class PosixScratchFile : public ScratchFile {
  public:
    explicit PosixScratchFile(int fd) : fd_(fd) {}

    void Append(const char* data, size_t size) override {
        int error = ::lseek(fd_.get(), static_cast<off_t>(size_), SEEK_SET) < 0 ? errno : 0;
        if (!error) error = WriteAllBytes(fd_.get(), data, size);
        if (error) {
            (void)::ftruncate(fd_.get(), static_cast<off_t>(size_));
            throw Error(std::string("Cannot write the temporary file. ") + std::strerror(error));
        }
        size_ += size;
    }

    size_t Read(uint64_t offset, char* data, size_t size) override {
        size_t done = 0;
        while (done < size) {
            const ssize_t n =
                ::pread(fd_.get(), data + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                throw Error(std::string("Cannot read the temporary file. ") + std::strerror(errno));
            }
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

    uint64_t Size() const override { return size_; }

    void Clear() override {
        if (::ftruncate(fd_.get(), 0) != 0) {
            throw Error(std::string("Cannot write the temporary file. ") + std::strerror(errno));
        }
        size_ = 0;
    }

  private:
    Fd fd_;
    uint64_t size_ = 0;
};
}  // namespace

void PosixFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    WriteNewFile(path, nullptr, bytes);
}

void PosixFileSystem::WriteFile(const std::string& path, ScratchFile& head,
                                const std::string& tail) {
    WriteNewFile(path, &head, tail);
}

void PosixFileSystem::WriteNewFile(const std::string& path, ScratchFile* head,
                                   const std::string& tail) {
    Fd fd(::open(HostPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        throw CreateFileError("Cannot create file \"" + path + "\". " + std::strerror(errno));
    }
    if (head) {
        ForEachPiece(*head,
                     [&](const char* data, size_t size) { WriteAll(fd.get(), path, data, size); });
    }
    WriteAll(fd.get(), path, tail.data(), tail.size());
    if (fd.Close() != 0) throw Error("Cannot write file \"" + path + "\". " + std::strerror(errno));
}

std::unique_ptr<ScratchFile> PosixFileSystem::OpenScratchFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/pellinor-XXXXXX";
    const int fd = ::mkostemp(&pattern[0], O_CLOEXEC);
    if (fd < 0) return nullptr;
    ::unlink(pattern.c_str());
    return std::make_unique<PosixScratchFile>(fd);
}

std::string PosixFileSystem::ReadFile(const std::string& path, size_t maxBytes) {
    Fd fd(::open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::string();
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        const size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
        const ssize_t n = ::read(fd.get(), buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::string();
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

std::optional<std::string> PosixFileSystem::ReadFileRange(const std::string& path, uint64_t offset,
                                                          size_t maxBytes) {
    Fd fd(::open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    std::string bytes(maxBytes, '\0');
    size_t done = 0;
    while (done < maxBytes) {
        const ssize_t n =
            ::pread(fd.get(), &bytes[done], maxBytes - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

uint32_t PosixFileSystem::Replace(const std::string& from, const std::string& to) {
    if (::rename(HostPath(from).c_str(), HostPath(to).c_str()) == 0) return 0;
    return WindowsErrorFromErrno(errno);
}

bool PosixFileSystem::AppendFile(const std::string& path, const std::string& bytes) {
    // O_APPEND: each write lands at the end, also beside another writer.
    Fd fd(::open(HostPath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (fd.get() < 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return fd.Close() == 0;
}

std::optional<uint64_t> PosixFileSystem::FileSize(const std::string& path) {
    struct stat st;
    if (::stat(HostPath(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

bool PosixFileSystem::CreateFolder(const std::string& path) {
    const std::string host = HostPath(path);
    if (::mkdir(host.c_str(), 0755) == 0) return true;
    struct stat st;
    return errno == EEXIST && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace pellinor
