// The file-system service on the real Windows file system.
#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "platform/Error.h"
#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32SystemInfo.h"

namespace pellinor {

namespace {
DWORD Attributes(const std::string& path) {
    return ::GetFileAttributesW(Widen(path).c_str());
}

std::string FileErrorText(const std::string& verb, const std::string& path, DWORD error) {
    return "Cannot " + verb + " file \"" + path + "\". " + SystemErrorText(error);
}

[[noreturn]] void FailWrite(const std::string& path, DWORD error) {
    throw Error(FileErrorText("write", path, error));
}
}  // namespace

bool Win32FileSystem::DirectoryExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::ForEachEntry(
    const std::string& folder,
    const std::function<void(const std::string& name, bool isDirectory)>& visit) {
    const std::wstring pattern = Widen(folder + "*");
    WIN32_FIND_DATAW data{};
    // The basic information and large fetches make a walk over a whole drive
    // markedly quicker; the short 8.3 names are never used.
    ScopedFindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                             FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return false;
    do {
        visit(Narrow(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (::FindNextFileW(find.Get(), &data));
    return true;
}

std::optional<FileIdentity> Win32FileSystem::DirectoryIdentity(const std::string& path) {
    // Opening follows links and junctions, so a loop back into a folder gives
    // that folder's own identity.
    ScopedHandle directory(::CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                         nullptr));
    if (!directory) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(directory.Get(), &info)) return std::nullopt;
    FileIdentity identity;
    identity.volume = info.dwVolumeSerialNumber;
    identity.file = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return identity;
}

std::optional<PatternMatch> Win32FileSystem::FindFirst(const std::string& pattern) {
    WIN32_FIND_DATAW data{};
    ScopedFindHandle find(::FindFirstFileW(Widen(pattern).c_str(), &data));
    if (!find) return std::nullopt;
    PatternMatch match;
    match.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    FILETIME local{};
    SYSTEMTIME time{};
    // A time the system cannot convert leaves the year at 0, outside every
    // range the caller accepts.
    if (::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
        ::FileTimeToSystemTime(&local, &time)) {
        match.lastWriteYear = time.wYear;
    }
    return match;
}

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::IsReadOnly(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32FileSystem::Remove(const std::string& path) {
    const std::wstring wide = Widen(path);
    // A link (a reparse point) at one of the program's names is refused, not
    // deleted: what it points at must never go with it. GetFileAttributesW
    // reads the link itself, not its target.
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return ::DeleteFileW(wide.c_str()) != FALSE;
}

namespace {
// Writes all of data at the file's position, in pieces the system takes in
// one call; ERROR_SUCCESS or the error that stopped it.
DWORD WriteAllBytes(HANDLE file, const char* data, size_t size) {
    for (size_t done = 0; done < size;) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, kScratchPiece));
        DWORD written = 0;
        if (!::WriteFile(file, data + done, chunk, &written, nullptr)) return ::GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        done += written;
    }
    return ERROR_SUCCESS;
}

// Creates path as a new file, hands write a way to add bytes to it, and
// flushes it to the disk. The caller removes what was made of the file on
// a failure (WriteWholeFile).
void WriteNewFile(
    const std::string& path,
    const std::function<void(const std::function<void(const char*, size_t)>&)>& write) {
    ScopedHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw CreateFileError(FileErrorText("create", path, ::GetLastError()));
    auto fail = [&](DWORD error) {
        file.Close();
        FailWrite(path, error);
    };
    write([&](const char* data, size_t size) {
        const DWORD error = WriteAllBytes(file.Get(), data, size);
        if (error != ERROR_SUCCESS) fail(error);
    });
    if (!::FlushFileBuffers(file.Get())) fail(::GetLastError());
    if (!file.Close()) FailWrite(path, ::GetLastError());
}

// A file in the temporary folder that the system deletes with its last
// handle, whoever ends the program.
class Win32ScratchFile : public ScratchFile {
  public:
    Win32ScratchFile(std::string path, HANDLE file) : path_(std::move(path)), file_(file) {}

    void Append(const char* data, size_t size) override {
        Seek(size_);
        const DWORD error = WriteAllBytes(file_.Get(), data, size);
        if (error != ERROR_SUCCESS) {
            Truncate(size_);
            FailWrite(path_, error);
        }
        size_ += size;
    }

    size_t Read(uint64_t offset, char* data, size_t size) override {
        Seek(offset);
        size_t done = 0;
        while (done < size) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, kScratchPiece));
            DWORD read = 0;
            if (!::ReadFile(file_.Get(), data + done, chunk, &read, nullptr)) {
                throw Error(FileErrorText("read", path_, ::GetLastError()));
            }
            if (read == 0) break;
            done += read;
        }
        return done;
    }

    uint64_t Size() const override { return size_; }

    void Clear() override {
        Truncate(0);
        size_ = 0;
    }

  private:
    void Seek(uint64_t offset) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(file_.Get(), at, nullptr, FILE_BEGIN)) {
            throw Error(FileErrorText("write", path_, ::GetLastError()));
        }
    }
    void Truncate(uint64_t size) {
        Seek(size);
        if (!::SetEndOfFile(file_.Get()))
            throw Error(FileErrorText("write", path_, ::GetLastError()));
    }

    std::string path_;
    ScopedHandle file_;
    uint64_t size_ = 0;
};
}  // namespace

void Win32FileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    WriteNewFile(path, [&](const auto& add) { add(bytes.data(), bytes.size()); });
}

void Win32FileSystem::WriteFile(const std::string& path, ScratchFile& head,
                                const std::string& tail) {
    WriteNewFile(path, [&](const auto& add) {
        ForEachPiece(head, add);
        add(tail.data(), tail.size());
    });
}

namespace {
// The names a scratch file tries before it gives up (and the download is
// held in memory): another program's file, or a folder, takes a name only
// now and then, while a temporary folder nobody may write to refuses every
// name alike.
constexpr int kScratchNameTries = 64;
}  // namespace

std::unique_ptr<ScratchFile> Win32FileSystem::OpenScratchFile() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return nullptr;
    // "pel" and eight hex digits, each name after the last one tried, from
    // a start of this process's own. Made new or not at all: a file that
    // has the name is never opened, emptied, or deleted with the scratch
    // file (GetTempFileNameW, under Wine, hands out a name that exists once
    // its 65,535 are taken).
    static DWORD next = (::GetCurrentProcessId() << 16) ^ ::GetTickCount();
    for (int i = 0; i < kScratchNameTries; ++i) {
        wchar_t number[16] = {};
        std::swprintf(number, 16, L"%08lX", static_cast<unsigned long>(next++));
        const std::wstring name = std::wstring(folder) + L"pel" + number + L".tmp";
        const HANDLE file =
            ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            return std::make_unique<Win32ScratchFile>(Narrow(name), file);
        }
        // Taken by a file, a folder, or one being deleted: another name.
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
            error != ERROR_ACCESS_DENIED) {
            return nullptr;
        }
    }
    return nullptr;
}

std::string Win32FileSystem::ReadFile(const std::string& path, size_t maxBytes) {
    ScopedHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::string();
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, maxBytes - bytes.size()));
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, want, &got, nullptr)) return std::string();
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    return bytes;
}

std::optional<std::string> Win32FileSystem::ReadFileRange(const std::string& path, uint64_t offset,
                                                          size_t maxBytes) {
    ScopedHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN)) return std::nullopt;
    std::string bytes(maxBytes, '\0');
    size_t done = 0;
    while (done < maxBytes) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(maxBytes - done, 1u << 20));
        DWORD got = 0;
        if (!::ReadFile(file.Get(), &bytes[done], want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

uint32_t Win32FileSystem::Replace(const std::string& from, const std::string& to) {
    if (::MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    return ::GetLastError();
}

bool Win32FileSystem::AppendFile(const std::string& path, const std::string& bytes) {
    // FILE_APPEND_DATA alone: every write lands at the end, also beside
    // another copy of the program appending at the same time. Shared for
    // reading (support opens the log while the program runs) and deletion
    // (the log moves aside while another copy holds it).
    ScopedHandle file(::CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(std::min<size_t>(bytes.size(), MAXDWORD));
    return ::WriteFile(file.Get(), bytes.data(), size, &written, nullptr) && written == size;
}

std::optional<uint64_t> Win32FileSystem::FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
    return ::CreateDirectoryW(Widen(path).c_str(), nullptr) || DirectoryExists(path);
}

}  // namespace pellinor
