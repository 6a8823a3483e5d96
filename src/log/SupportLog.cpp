// The support log's file: where it lives, how it grows and moves aside.
#include "log/SupportLog.h"

#include <utility>

#include "log/LogLine.h"

namespace pellinor {

const char* const kLogFileName = "Pellinor.log";
const char* const kOldLogFileName = "Pellinor.log.1";

std::string SupportLogFolder(const std::string& localAppData) {
    if (localAppData.empty()) return std::string();
    const bool slash = localAppData.back() == '\\';
    return localAppData + (slash ? "" : "\\") + "Pellinor";
}

FileLog::FileLog(FileSystem& files, std::function<LocalTime()> clock, std::string folder)
    : files_(files),
      clock_(std::move(clock)),
      folder_(std::move(folder)),
      path_(folder_.empty() ? std::string() : folder_ + "\\" + kLogFileName) {}

void FileLog::Write(const std::string& event) noexcept {
    if (path_.empty()) return;
    try {
        Append(FormatLogLine(clock_(), event));
    } catch (...) {
        // Out of memory or a clock that failed: the line is lost, the
        // command goes on as if there were no log.
    }
}

void FileLog::Append(const std::string& line) {
    // Made once: a folder that cannot be made now will not appear later.
    if (!folderMade_) folderMade_ = files_.CreateFolder(folder_);
    if (!folderMade_) return;
    const std::optional<uint64_t> size = files_.FileSize(path_);
    if (size && *size + line.size() > kLogRotateBytes) {
        const std::string old = folder_ + "\\" + kOldLogFileName;
        // The older file may be held by a program that lets it be deleted
        // but not replaced; if it cannot go either, the line is dropped
        // rather than let the log grow without a bound.
        if (files_.Replace(path_, old) != 0 &&
            (!files_.Remove(old) || files_.Replace(path_, old) != 0)) {
            return;
        }
    }
    files_.AppendFile(path_, line);
}

LineLog::LineLog(std::function<LocalTime()> clock, std::function<void(const std::string&)> out)
    : clock_(std::move(clock)), out_(std::move(out)) {}

void LineLog::Write(const std::string& event) noexcept {
    try {
        std::string line = FormatLogLine(clock_(), event);
        line.erase(line.size() - 2);  // a console wants its own line end
        out_(line + "\n");
    } catch (...) {
        // A console that cannot be written: nothing to do about it.
    }
}

}  // namespace pellinor
