// Everything the logic reaches of the operating system, handed over in one piece.
#pragma once

#include <string>

#include "platform/CommandLock.h"
#include "platform/FileSystem.h"
#include "platform/FileVersions.h"
#include "platform/MessagePump.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Signatures.h"
#include "platform/SystemInfo.h"

namespace pellinor {

class TlsSessions;

struct Platform {
    MessagePump& messages;  // kept running while a command waits or works
    FileSystem& files;
    Processes& processes;
    Registry& registry;
    Shell& shell;
    SystemInfo& system;
    Signatures& signatures;
    FileVersions& versions;
    CommandLock& commandLock;
    TlsSessions* tls = nullptr;  // https; none: https addresses are refused
    // The program's own folder under the user's local application data (the
    // log's), without "\" at its end; empty when there is none.
    std::string dataFolder{};
};

}  // namespace pellinor
