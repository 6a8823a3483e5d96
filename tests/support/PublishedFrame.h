// zstd frames as scripts/publish makes them, for the tests and benchmarks
// of the smaller files: the program compressed, or a patch from an earlier
// program.
#pragma once

#include <string>

namespace pellinor {

// content as one frame: level 19, a window that covers the reference and
// the content, its content size and its checksum; with a reference, a
// patch made from it. checksum and contentSize leave those out, for the
// frames the program must refuse.
std::string PublishedFrame(const std::string& content, const std::string& reference = "",
                           bool checksum = true, bool contentSize = true);

}  // namespace pellinor
