// The one sequence the three commands share, once their questions are
// answered: take the machine's lock, end what holds the files, download,
// check, put in place, and say how it went. A command is its questions
// and its plan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/CommandSite.h"

namespace pellinor {

// The pause after ending the running copies of a program before its file is
// touched: a process that was told to end may hold its file for a moment.
constexpr uint32_t kEndedProgramGraceMs = 1000;

enum class Payload { Executable, Any };

// Where the download's signature is, for the publisher keys to be held to.
enum class Signed {
    Inside,  // a program's own (Authenticode) signature
    Beside,  // a detached signature at the download's address + kDetachedSignatureSuffix
};

// What a detached signature's address and temporary file add to the
// download's: a PKCS #7 signature (DER), published beside the file.
constexpr const char* kDetachedSignatureSuffix = ".p7s";

// The smaller files tried before the file itself (see SmallerFiles.h).
enum class Smaller {
    None,               // the file alone: it is compressed already
    Compressed,         // its compressed form first
    CompressedOrPatch,  // a patch from the target first, then the compressed form
};

// What to do once the new file is in place.
enum class Then {
    SayUpgraded,  // the success box, naming the folder
    OpenTarget,   // start or open it with its associated program
};

struct CommandPlan {
    std::string url;
    std::string temp;  // made new beside the target, then moved onto it
    std::string target;
    std::string folder;      // the installation, named in the refusal and success boxes
    std::string noticeCode;  // of the failure notice: "System Error <code>, <number>"
    ButtonsOff buttons = ButtonsOff::All;
    std::vector<std::string> leftovers;  // removed with the temporary file
    std::string programToEnd;            // its running copies are ended first; none when empty
    bool removeTarget = false;           // the old target goes before the download
    Payload payload = Payload::Any;
    Smaller smaller = Smaller::None;
    Signed signature = Signed::Inside;
    // A signed lock program is replaced only by its publisher's program,
    // and no lock program by an older one or by another program.
    bool checkAgainstTarget = false;
    // The program replaced is kept under the user's local application data
    // (see KeptProgram.h), so that support can put it back.
    bool keepReplaced = false;
    bool onlyExitAfterFailure = false;
    Then then = Then::OpenTarget;
};

// Runs the plan to its end and returns where it stopped.
StepResult RunPlan(CommandSite& site, const CommandPlan& plan);

}  // namespace pellinor
