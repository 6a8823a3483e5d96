// Facts about the system the program reads.
#pragma once

#include <cstdint>
#include <string>

namespace pellinor {

class SystemInfo {
  public:
    virtual ~SystemInfo() = default;
    // Display name of the system default language in the ANSI code page, as
    // the system gives it (up to 50 bytes), and the same text as UTF-8.
    virtual std::string DefaultLanguageNameAnsi() = 0;
    virtual std::string AnsiToUtf8(const std::string& ansi) = 0;
    // The user's decimal symbol, read now.
    virtual std::string DecimalSeparator() = 0;
    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // Milliseconds since start-up; wraps around at 2^32.
    virtual uint32_t TickCount() = 0;
};

}  // namespace pellinor
