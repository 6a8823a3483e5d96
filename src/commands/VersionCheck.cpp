// The version rule between an upgrade's download and the installed program.
#include "commands/VersionCheck.h"

#include "text/TextRules.h"

namespace pellinor {

VersionVerdict JudgeVersions(const FileVersion& installed, const FileVersion& downloaded) {
    if (!installed.present || !downloaded.present) return VersionVerdict::Accept;
    // Another program of the same publisher (its SDK's setup, a tool) is no
    // version of this one at all, so its number means nothing here.
    if (!installed.name.empty() && !downloaded.name.empty() &&
        UpperAscii(installed.name) != UpperAscii(downloaded.name)) {
        return VersionVerdict::RefuseOtherProgram;
    }
    if (installed.number && downloaded.number && *downloaded.number < *installed.number)
        return VersionVerdict::RefuseOlder;
    return VersionVerdict::Accept;
}

std::string VersionText(uint64_t number) {
    std::string text;
    for (int shift = 48; shift >= 0; shift -= 16) {
        if (!text.empty()) text += '.';
        text += std::to_string((number >> shift) & 0xFFFF);
    }
    return text;
}

}  // namespace pellinor
