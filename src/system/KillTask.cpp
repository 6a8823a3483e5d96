// Ending the running copies of a program by its image name.
#include "system/KillTask.h"

#include "log/LogEvent.h"
#include "text/TextRules.h"

namespace pellinor {

void KillTask(Processes& processes, const std::string& imageName) {
    const std::string wanted = UpperAscii(imageName);
    for (const ProcessEntry& entry : processes.Snapshot()) {
        if (UpperAscii(ExtractFileName(entry.exeFile)) == wanted ||
            UpperAscii(entry.exeFile) == wanted) {
            // A process that will not end (another user's, say) must not
            // keep the others alive, so a refusal is passed over.
            const bool ended = processes.Terminate(entry.id);
            LogEvent("end " + imageName + " process " + std::to_string(entry.id) + ": " +
                     (ended ? "ended" : "refused"));
        }
    }
}

}  // namespace pellinor
