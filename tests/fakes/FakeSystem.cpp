// The stand-ins for the system facts, the registry, the process list and the shell.
#include "fakes/FakeSystem.h"

#include <algorithm>

#include "platform/Error.h"
#include "text/TextRules.h"

namespace pellinor {

std::string FakeSystemInfo::AnsiToUtf8(const std::string& ansi) {
    auto it = ansiToUtf8.find(ansi);
    return it == ansiToUtf8.end() ? ansi : it->second;
}

uint32_t FakeSystemInfo::TickCount() {
    ++tickReads;
    const uint32_t now = ticks;
    ticks += ticksPerRead;
    return now;
}

std::optional<RegistryValue> FakeRegistry::ReadShellFolder(const std::string& valueName) {
    if (!keyExists) return std::nullopt;
    for (const auto& [name, value] : values) {
        if (SameTextAscii(name, valueName)) return value;
    }
    return std::nullopt;
}

bool FakeProcesses::Terminate(uint32_t id) {
    if (std::find(refuse.begin(), refuse.end(), id) != refuse.end()) return false;
    terminated.push_back(id);
    return true;
}

std::string FakeShell::ShortcutWorkingDirectory(const std::string& linkFile) {
    if (failToCreate) throw Error("Class not registered");
    shortcutsRead.push_back(linkFile);
    auto it = workingDirectories.find(linkFile);
    return it == workingDirectories.end() ? std::string() : it->second;
}

}  // namespace pellinor
