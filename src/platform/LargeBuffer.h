// A hint for buffers that will hold a whole download.
#pragma once

#include <cstddef>

namespace pellinor {

// Asks the system to back a large, still untouched buffer with large pages
// where it can, so that filling it costs a few page faults instead of one
// per 4 KiB. Does nothing where there is no such hint or for small buffers.
void PrepareLargeBuffer(char* data, size_t size);

}  // namespace pellinor
