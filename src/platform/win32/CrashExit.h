// A fault anywhere ends the process at once: no system error box and no
// debugger that waits for somebody, since a deployment tool waits for the
// process's end and a hotel PC has nobody to close a box.
#pragma once

#include <string>

namespace pellinor {

// From now on an unhandled exception calls note once with what it was
// ("exception 0xC0000005 at 0x..."), then ends the process with exitCode.
void EndProcessOnCrash(unsigned exitCode, void (*note)(const std::string& what));

}  // namespace pellinor
