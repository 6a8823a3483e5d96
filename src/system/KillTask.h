// Ending the running copies of a program by its image name.
#pragma once

#include <string>

#include "platform/Processes.h"

namespace pellinor {

// Ends every process whose image name matches, from any folder.
void KillTask(Processes& processes, const std::string& imageName);

}  // namespace pellinor
