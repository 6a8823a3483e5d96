// The support log: one line for each thing a command did, appended to a file
// that the person who supports the hotel asks for. Writing it never changes
// what a command does: a line that cannot be written is dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/LocalTime.h"

namespace pellinor {

// Where the lines of events go. Write never throws and never fails a caller.
class Log {
  public:
    virtual ~Log() = default;
    virtual void Write(const std::string& event) noexcept = 0;
};

// For the places that have nowhere to write (and for tests that do not look).
class NoLog : public Log {
  public:
    void Write(const std::string&) noexcept override {}
};

// The log's size at which it moves aside. An attempt writes some twenty
// lines of about 120 bytes, so 1 MiB holds hundreds of attempts: months of a
// hotel's history, small enough to send by e-mail, and with the one older
// file kept never more than 2 MiB on an old PC's disk.
constexpr uint64_t kLogRotateBytes = 1024 * 1024;

// The names under the folder: the log, and the one older file it becomes.
extern const char* const kLogFileName;     // "Pellinor.log"
extern const char* const kOldLogFileName;  // "Pellinor.log.1"

// The log's folder under the user's local application data folder: local
// (not roaming), since it tells about this PC.
std::string SupportLogFolder(const std::string& localAppData);

class FileLog : public Log {
  public:
    // folder ends without "\"; an empty folder (none could be found) makes a
    // log that writes nothing.
    FileLog(FileSystem& files, std::function<LocalTime()> clock, std::string folder);

    // Appends one line; a log that has reached kLogRotateBytes first moves
    // to the older name, replacing the older file.
    void Write(const std::string& event) noexcept override;

    // The log's full path (empty when there is none), for the window to show.
    const std::string& Path() const { return path_; }

  private:
    void Append(const std::string& line);

    FileSystem& files_;
    std::function<LocalTime()> clock_;
    std::string folder_;
    std::string path_;
    bool folderMade_ = false;
};

// Writes each line to a function: pellinor-fetch's standard error.
class LineLog : public Log {
  public:
    LineLog(std::function<LocalTime()> clock, std::function<void(const std::string&)> out);
    void Write(const std::string& event) noexcept override;

  private:
    std::function<LocalTime()> clock_;
    std::function<void(const std::string&)> out_;
};

}  // namespace pellinor
