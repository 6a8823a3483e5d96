// Every platform service as a fake, bundled as the program sees them.
#pragma once

#include <string>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeFileVersions.h"
#include "fakes/FakeSignatures.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "system/Platform.h"
#include "system/ShortcutScan.h"

namespace pellinor {

struct FakePlatform {
    FakeWindow window;
    FakeFileSystem files;
    FakeProcesses processes;
    FakeRegistry registry;
    FakeShell shell;
    FakeSystemInfo system;
    FakeSignatures signatures;
    FakeFileVersions versions;
    FakeCommandLock commandLock;
    Platform platform{window, files,      processes, registry,   shell,
                      system, signatures, versions,  commandLock};

    FakePlatform() { system.ticksPerRead = 50; }  // every wait in the logic ends

    // A shortcut on the user's own desktop, or else on the public one, that
    // starts in folder: the scan finds an installation there once folder
    // holds a Tessaron*.Exe.
    void AddShortcut(const std::string& name, const std::string& folder, bool ownDesktop = true) {
        const std::string desktop = ownDesktop ? shell.desktop : PublicDesktopFolder(shell.desktop);
        files.AddFolder(desktop);
        files.AddFile(desktop + "\\" + name, "shortcut");
        shell.workingDirectories[desktop + "\\" + name] = folder;
    }
};

}  // namespace pellinor
