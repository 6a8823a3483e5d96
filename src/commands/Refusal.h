// A download that a check refused: the text of its box and the values the
// text names.
#pragma once

#include <string>

#include "text/Texts.h"

namespace pellinor {

// The box's text, and the two values it names (the download's version or
// name first, the installed program's second).
struct Refusal {
    TextId text;
    std::string downloaded;
    std::string installed;
    // The text serves all three commands and names no folder itself: the
    // box adds the installation's folder on a line of its own, when there
    // is one.
    bool folderLine = false;
};

}  // namespace pellinor
