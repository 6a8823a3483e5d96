// Putting back the program an upgrade replaced (Pellinor.exe /rollback):
// support's one step back when a new lock program misbehaves at a hotel.
#pragma once

#include <cstdint>
#include <string>

#include "commands/PublisherKeys.h"
#include "system/Platform.h"

namespace pellinor {

enum class RollbackEnd {
    PutBack,           // the kept program is in place again and its record gone
    AnotherCopy,       // another command changes files on this PC: nothing changed
    NothingKept,       // no record of a kept program for the folder
    RecordDamaged,     // a record that is not one as the upgrade writes it
    InstalledChanged,  // the installed program is not the one the upgrade placed
    KeptChanged,       // the kept program is gone, no file, or not the recorded bytes
    Refused,           // the publisher rule refuses the kept program
    NotPutInPlace,     // it could not be written beside the program or take its place
};

struct RollbackResult {
    RollbackEnd end = RollbackEnd::PutBack;
    uint32_t systemError = 0;  // NotPutInPlace: the replacement's code, if it got that far
};

// Puts folder's kept program back in the place of its lock program: checks
// the record against the installed program and the kept file, holds the
// kept file to the publisher rule (the version rule is waived for exactly
// that file), ends the running copies, writes it beside the program and
// replaces the program in one step; then forgets the record. Every refusal
// leaves the installation as it was and says why in the log.
RollbackResult RollBack(Platform& platform, const PublisherKeys& keys, const std::string& folder,
                        bool chinese);

// The end's name for the log.
const char* RollbackEndName(RollbackEnd end);

}  // namespace pellinor
