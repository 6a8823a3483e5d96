// Never backwards, never another program: the rule that holds a download to
// the version and the name of the program it would replace.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileVersions.h"

namespace pellinor {

enum class VersionVerdict {
    Accept,
    RefuseOtherProgram,  // the two version resources name different programs
    RefuseOlder,         // the download's file version is lower than the installed one's
};

// The rule. A file without a version resource, on either side, leaves the
// download to the other checks. Otherwise the names (OriginalFilename, or
// InternalName) must agree without regard to ASCII case where both files
// give one, and the download's file version must not be lower where both
// give one: an equal version is a repair and is allowed.
VersionVerdict JudgeVersions(const FileVersion& installed, const FileVersion& downloaded);

// "7.35.9.0": the four parts of a file version, as the system shows them.
std::string VersionText(uint64_t number);

}  // namespace pellinor
