// Every platform service as a fake, bundled as the program sees them.
#pragma once

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeFileVersions.h"
#include "fakes/FakeSignatures.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "system/Platform.h"

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
};

}  // namespace pellinor
