// The files a command tries before the program itself, smallest first: a
// patch from the installed program, then the compressed program. Each is
// judged as the program would be, and any that does not decode or that a
// check refuses gives way to the next; all of them are one download with
// one time limit.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "commands/CommandPlan.h"

namespace pellinor {

// What a publisher puts beside a file: <file>.zst, the file compressed;
// <file>.from-<sha256>.zst, a patch made from the earlier program whose
// SHA-256 is <sha256> (64 lower-case hex digits).
constexpr const char* kCompressedSuffix = ".zst";
constexpr const char* kPatchInfix = ".from-";

// The address of the patch for url made from the program whose SHA-256 is sha256.
std::string PatchUrl(const std::string& url, const std::string& sha256);

// The packed files to try for url, in their order: with a reference
// (the installed program), its patch first; then the compressed file.
// A reference that cannot be read whole is left out, and the log says so.
std::vector<PackedFile> PackedFilesFor(FileSystem& files, const std::string& url,
                                       const std::string& reference);

struct ChainResult {
    StepResult result;
    bool admitted =
        false;  // admit already said yes: the temporary file holds a packed file's program
};

// The plan's packed files in turn, then its url, into its temporary file.
// admit judges a packed file's program (and removes what it refuses); the
// program itself is left to the caller, as before.
ChainResult DownloadSmallest(CommandSite& site, const CommandPlan& plan,
                             const std::function<StepResult()>& admit);

}  // namespace pellinor
