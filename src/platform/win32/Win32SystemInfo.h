// Facts about the running Windows: language name, locale, own path, ticks.
#pragma once

#include "platform/SystemInfo.h"

namespace pellinor {

// The system's own words for an error code (a Win32 error or an HRESULT),
// without the trailing line break; "Error <code>." when it has none.
std::string SystemErrorText(uint32_t code);

// The running program's own file, however long its path.
std::string ExecutableFilePath();

class Win32SystemInfo : public SystemInfo {
  public:
    std::string DefaultLanguageNameAnsi() override;
    std::string AnsiToUtf8(const std::string& ansi) override;
    std::string DecimalSeparator() override;
    std::string ExecutablePath() override;
    uint32_t TickCount() override;
};

}  // namespace pellinor
