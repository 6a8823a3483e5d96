// The common ground of the Wine tests: a fresh folder per test on the
// prefix's drive C, the programs a test starts (Pellinor.exe and the helper
// programs), shortcut files on the desktops; all of it ended and removed
// again after the test, so the one prefix serves the whole run.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/ChildProcess.h"
#include "driver/Files.h"
#include "driver/MessageBoxes.h"
#include "driver/Shortcuts.h"
#include "driver/UiDriver.h"
#include "driver/Wait.h"

namespace pellinor::e2e {

enum class Desktop { User, Public };

class WineTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // This test's own empty folder, "C:\pellinor-e2e\<suite>.<test>\".
    const std::string& TempFolder() const { return temp_; }
    // Makes TempFolder() + relative (and its parents); returns it with "\".
    std::string MakeFolder(const std::string& relative);

    // A program of the build (bin\<name>.exe), e.g. "tessaron", "marker".
    static std::string ProgramPath(const std::string& name);
    // Copies that program to destination (a full path, any name); returns it.
    std::string CopyProgram(const std::string& name, const std::string& destination);

    // Starts a program; it is ended at the end of the test if still running.
    ChildProcess& StartProgram(const std::string& exePath,
                               const std::vector<std::string>& arguments = {});
    // Starts holder.exe on path and waits until it has the file open (it
    // signals an event named after its process id); the held file can then
    // be neither replaced nor deleted. The holder, or null if it ended first.
    ChildProcess* HoldFile(const std::string& path);

    // Starts Pellinor.exe (or a copy of it) and waits for its window; check
    // Started() on the result.
    UiDriver& StartPellinor(const std::string& exePath = UiDriver::DefaultExePath());

    // Writes a shortcut into a desktop folder (relative may name a sub-folder,
    // made as needed); removed again after the test. Returns the link's path.
    std::string MakeDesktopShortcut(Desktop desktop, const std::string& relativeLink,
                                    const std::string& target, const std::string& workingDirectory);

    // Waits for the next box of the program, checks its caption, answers it
    // with the button and waits until it is gone.
    DialogInfo Answer(UiDriver& ui, const std::string& caption, int button = IDOK);
    // A picture of the window in the build folder's screenshots\; its path.
    std::string SaveScreenshot(HWND window, const std::string& name);

  private:
    std::string temp_;
    bool com_ = false;
    std::vector<std::unique_ptr<UiDriver>> pellinors_;
    std::vector<std::unique_ptr<ChildProcess>> programs_;
    std::vector<std::string> desktopPaths_;  // links and folders made there, newest last
};

// Whole-file helpers (UTF-8 paths).
// Removes a folder and everything below it, read-only files included.
bool RemoveTree(const std::string& folder);

// ".rar" files open with the marker program, which writes what it was given
// into traceFile: how the tests see that an archive was opened. Forgotten
// again by ForgetArchiveOpener().
void OpenArchivesWithMarker(const std::string& traceFile);
void ForgetArchiveOpener();

}  // namespace pellinor::e2e
