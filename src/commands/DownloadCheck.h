// Everything an upgrade's download is held to before it may take the
// installed program's place, and what says why it may not.
#pragma once

#include <optional>
#include <string>

#include "commands/PublisherKeys.h"
#include "commands/Refusal.h"
#include "system/Platform.h"

namespace pellinor {

// The most of a name from a version resource that a box shows: the name
// comes from the download, which anybody on the network can have made,
// and must not fill the box with a text of its own. Real program names
// are far shorter.
constexpr size_t kShownNameBytes = 64;

// The publisher rule alone: with the publisher's keys built in, one of them
// must have signed the download; without, the installed program's signer
// must have (see CheckPublisher). Nothing when it may take the place.
std::optional<Refusal> CheckProgramPublisher(Platform& platform, const PublisherKeys& keys,
                                             const std::string& installed,
                                             const std::string& download);

// The publisher rule first, then the version rule, for signed and unsigned
// installations alike. With the publisher's keys built in, they decide who
// signed the download; without, the installed program's signature does.
// Nothing when the download may take the place.
std::optional<Refusal> CheckDownload(Platform& platform, const PublisherKeys& keys,
                                     const std::string& installed, const std::string& download);

// A name as a box shows it: control characters as "?", cut to
// kShownNameBytes on a character's boundary, with "..." where it was cut.
std::string ShownName(const std::string& name);

}  // namespace pellinor
