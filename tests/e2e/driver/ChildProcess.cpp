// Starting and ending the programs of the Wine tests.
#include "driver/ChildProcess.h"

#include "platform/win32/Utf.h"

namespace pellinor::e2e {

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    // Backslashes count only before a quote: double them there.
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') backslashes = backslashes * 2 + 1;
        quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

ChildProcess::ChildProcess(const std::string& exePath, const std::vector<std::string>& arguments,
                           const std::string& workingDirectory)
    : exePath_(exePath) {
    std::string commandLine = QuoteArgument(exePath);
    for (const std::string& argument : arguments) commandLine += " " + QuoteArgument(argument);
    std::wstring command = Widen(commandLine);
    std::string folder = workingDirectory;
    if (folder.empty()) {
        const size_t slash = exePath.find_last_of("\\/");
        if (slash != std::string::npos) folder = exePath.substr(0, slash + 1);
    }
    const std::wstring wideFolder = Widen(folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(Widen(exePath).c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, wideFolder.empty() ? nullptr : wideFolder.c_str(), &startup,
                          &info)) {
        startError_ = ::GetLastError();
        return;
    }
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (!process_) return;
    if (Running()) Terminate();
    ::CloseHandle(process_);
}

bool ChildProcess::Running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(uint32_t timeoutMs) {
    return process_ && ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) ::GetExitCodeProcess(process_, &code);
    return code;
}

void ChildProcess::Terminate() {
    if (!process_) return;
    ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, 10000);
}

std::string ExeFolder() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::string text = Narrow(std::wstring(path, length));
    return text.substr(0, text.find_last_of('\\') + 1);
}

std::string BuildFolder(const std::string& name) {
    std::string bin = ExeFolder();
    bin.pop_back();
    return bin.substr(0, bin.find_last_of('\\') + 1) + name + "\\";
}

}  // namespace pellinor::e2e
