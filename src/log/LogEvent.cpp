// The log the events of a run go to.
#include "log/LogEvent.h"

namespace pellinor {

namespace {
// One thread writes: the program's parts all run on the window's thread
// (or the tool's only one).
Log* current = nullptr;
}  // namespace

void LogEvent(const std::string& event) noexcept {
    if (current) current->Write(event);
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\\x22") : std::string(1, c);
    return quoted + "\"";
}

LogScope::LogScope(Log& log) : previous_(current) {
    current = &log;
}

LogScope::~LogScope() {
    current = previous_;
}

}  // namespace pellinor
