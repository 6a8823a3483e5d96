// The names of the lock program's files in its installation folder, which
// every command that replaces it uses alike.
#pragma once

#include <string>

namespace pellinor {

constexpr const char* kLockProgramName = "Tessaron.Exe";

// The file a replacement is written to beside the program, named by the
// language as it always was, so that a piece a stop left is known by name.
inline std::string ReplacementTempName(bool chinese) {
    return chinese ? "Tessaron.tmp" : "TessaronEng.tmp";
}

}  // namespace pellinor
