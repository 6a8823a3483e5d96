// The events of a run go to one log: the entry of each program (the window,
// the upgrade without one, pellinor-fetch) sets it for as long as it runs,
// and the parts that have something to tell write to it without being
// handed it. With none set, an event goes nowhere.
#pragma once

#include <string>

#include "log/SupportLog.h"

namespace pellinor {

// Writes event to the log that is set; never throws.
void LogEvent(const std::string& event) noexcept;

// Sets a log for its own lifetime and puts back the one before.
class LogScope {
  public:
    explicit LogScope(Log& log);
    ~LogScope();
    LogScope(const LogScope&) = delete;
    LogScope& operator=(const LogScope&) = delete;

  private:
    Log* previous_;
};

// "yes" or "no", the way every line of the log says it.
inline const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

// A text in quotes, so that a blank or an empty text is seen as such; a
// quote inside (a server's status line may hold one) is written "\x22", so
// the field ends where it seems to.
std::string Quoted(const std::string& text);

}  // namespace pellinor
