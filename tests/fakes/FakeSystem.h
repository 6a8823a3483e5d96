// Stand-ins for the system facts, the registry, the process list and the shell.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/CommandLock.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"

namespace pellinor {

class FakeSystemInfo : public SystemInfo {
  public:
    std::string DefaultLanguageNameAnsi() override { return languageNameAnsi; }
    std::string AnsiToUtf8(const std::string& ansi) override;
    std::string DecimalSeparator() override { return decimalSeparator; }
    std::string ExecutablePath() override { return executablePath; }
    uint32_t TickCount() override;

    std::string languageNameAnsi = "English (United States)";
    std::map<std::string, std::string> ansiToUtf8;  // names the fake code page knows
    std::string decimalSeparator = ".";
    std::string executablePath = "C:\\Tools\\Pellinor.exe";
    uint32_t ticks = 0;
    uint32_t ticksPerRead = 0;  // the clock moves on by this at every read
    int tickReads = 0;
};

// The machine's command lock; heldElsewhere stands for another copy in
// another session that holds it.
class FakeCommandLock : public CommandLock {
  public:
    bool TryTake() override {
        if (heldElsewhere || held) return false;
        held = true;
        ++taken;
        return true;
    }
    void Release() override { held = false; }
    bool heldElsewhere = false;
    bool held = false;
    int taken = 0;
};

class FakeRegistry : public Registry {
  public:
    std::optional<RegistryValue> ReadShellFolder(const std::string& valueName) override;
    bool keyExists = true;
    std::map<std::string, RegistryValue> values;  // by value name, compared without case
};

class FakeProcesses : public Processes {
  public:
    std::vector<ProcessEntry> Snapshot() override { return running; }
    bool Terminate(uint32_t id) override;
    std::vector<ProcessEntry> running;
    std::vector<uint32_t> terminated;
    std::vector<uint32_t> refuse;  // ids that cannot be ended
};

class FakeShell : public Shell {
  public:
    std::string DesktopFolder() override { return desktop; }
    std::string ShortcutWorkingDirectory(const std::string& linkFile) override;
    void Open(const std::string& file) override { opened.push_back(file); }

    std::string desktop = "C:\\Users\\alice\\Desktop";
    std::map<std::string, std::string> workingDirectories;  // by shortcut path
    bool failToCreate = false;
    std::vector<std::string> opened;
    std::vector<std::string> shortcutsRead;
};

}  // namespace pellinor
