// Pellinor.exe /upgrade as the Wine tests run it: started, watched for
// windows until it ends, its exit code and the lines it wrote to the log.
#pragma once

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <algorithm>
#include <string>
#include <vector>

#include "driver/ChildProcess.h"
#include "driver/Files.h"
#include "driver/UiDriver.h"
#include "driver/Wait.h"
#include "platform/win32/Utf.h"

namespace pellinor::e2e {

// The support log where the program writes it for this user.
inline std::string LogPath() {
    wchar_t folder[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return Narrow(folder) + "\\Pellinor\\Pellinor.log";
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The visible top-level windows of a process: its main window, a box.
inline int VisibleWindows(DWORD processId) {
    int visible = 0;
    for (HWND window : TopLevelWindowsOf(processId)) visible += ::IsWindowVisible(window) ? 1 : 0;
    return visible;
}

struct UnattendedRun {
    bool ended = false;
    DWORD exitCode = STILL_ACTIVE;
    int windowsSeen = 0;           // the most visible windows at one look
    std::vector<std::string> log;  // the lines this run wrote

    bool Logged(const std::string& piece) const {
        for (const std::string& line : log) {
            if (line.find(piece) != std::string::npos) return true;
        }
        return false;
    }
    std::string Describe() const {
        std::string d = "exit " + std::to_string(exitCode) + "; log:";
        for (const std::string& line : log) d += "\n  " + line;
        return d;
    }
};

// The longest an unattended run may take here: a scan, the second's pause
// after ending the lock program, a download from 127.0.0.1, the checks.
constexpr uint32_t kRunLimitMs = 60000;

// Each run reads its own lines: the log starts afresh before it.
inline void ClearLog() {
    ::DeleteFileW(Widen(LogPath()).c_str());
}

// Waits for a program started after ClearLog() to end, looking for its
// windows meanwhile.
inline UnattendedRun WaitForRun(ChildProcess& program) {
    EXPECT_TRUE(program.Started());
    UnattendedRun run;
    run.ended = WaitUntil(
        [&] {
            run.windowsSeen = std::max(run.windowsSeen, VisibleWindows(program.Id()));
            return !program.Running();
        },
        kRunLimitMs);
    run.exitCode = program.ExitCode();
    run.log = Lines(ReadBytes(LogPath()));
    return run;
}

}  // namespace pellinor::e2e
