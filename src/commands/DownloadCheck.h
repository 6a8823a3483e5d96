// Everything an upgrade's download is held to before it may take the
// installed program's place, and what says why it may not.
#pragma once

#include <optional>
#include <string>

#include "system/Platform.h"
#include "text/Texts.h"

namespace pellinor {

// A download refused: the box's text, and the two values it names (the
// download's version or name first, the installed program's second).
struct Refusal {
    TextId text;
    std::string downloaded;
    std::string installed;
};

// The most of a name from a version resource that a box shows: the name
// comes from the download, which anybody on the network can have made,
// and must not fill the box with a text of its own. Real program names
// are far shorter.
constexpr size_t kShownNameBytes = 64;

// The publisher rule first (the installed program's signature decides who
// may replace it), then the version rule, for signed and unsigned
// installations alike. Nothing when the download may take the place.
std::optional<Refusal> CheckDownload(Platform& platform, const std::string& installed,
                                     const std::string& download);

// A name as a box shows it: control characters as "?", cut to
// kShownNameBytes on a character's boundary, with "..." where it was cut.
std::string ShownName(const std::string& name);

}  // namespace pellinor
