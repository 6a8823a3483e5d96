// Small system routines the commands use around a download.
#include "system/Helpers.h"

#include "platform/Error.h"
#include "text/TextRules.h"

namespace pellinor {

void KillTask(Processes& processes, const std::string& imageName) {
    const std::string wanted = UpperAscii(imageName);
    for (const ProcessEntry& entry : processes.Snapshot()) {
        if (UpperAscii(ExtractFileName(entry.exeFile)) == wanted ||
            UpperAscii(entry.exeFile) == wanted) {
            // A process that will not end (another user's, say) must not
            // keep the others alive, so a refusal is passed over.
            processes.Terminate(entry.id);
        }
    }
}

std::string GetShellFolder(Registry& registry, const std::string& valueName) {
    const std::optional<RegistryValue> value = registry.ReadShellFolder(valueName);
    if (!value) return std::string();
    if (!value->isString) throw Error("Invalid data type for '" + valueName + "'");
    return value->text;
}

void Delay(Window& window, SystemInfo& system, uint32_t milliseconds) {
    const uint32_t start = system.TickCount();
    // Unsigned differences stay right across the counter's wrap at 2^32.
    uint32_t elapsed = 0;
    while ((elapsed = system.TickCount() - start) < milliseconds) {
        window.ProcessMessages();
        elapsed = system.TickCount() - start;
        if (elapsed >= milliseconds) break;
        // Sleeping until a message or the deadline keeps the window just as
        // live as spinning would, without holding a processor busy.
        window.WaitForMessage(milliseconds - elapsed);
    }
}

}  // namespace pellinor
