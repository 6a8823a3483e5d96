// A program the tests start: its id, its state, its end. A process still
// running when its ChildProcess goes is ended, so no test leaves one behind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pellinor::e2e {

class ChildProcess {
  public:
    // Starts exePath with the arguments (quoted as the C runtime expects);
    // workingDirectory empty: the exe's own folder.
    ChildProcess(const std::string& exePath, const std::vector<std::string>& arguments = {},
                 const std::string& workingDirectory = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD StartError() const { return startError_; }
    const std::string& ExePath() const { return exePath_; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }

    bool Running() const;
    // True when the process has ended within timeoutMs.
    bool WaitForExit(uint32_t timeoutMs);
    // The exit code once it has ended; STILL_ACTIVE before.
    DWORD ExitCode() const;
    // Ends it (exit code 1) and waits until it is gone.
    void Terminate();

  private:
    std::string exePath_;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    DWORD startError_ = 0;
};

// The folder of the running test program, ending in "\": where the build put
// Pellinor.exe and the helper programs.
std::string ExeFolder();
// A folder of the build beside bin\ (where ctest's rigs keep their files),
// ending in "\".
std::string BuildFolder(const std::string& name);

std::string QuoteArgument(const std::string& argument);

}  // namespace pellinor::e2e
