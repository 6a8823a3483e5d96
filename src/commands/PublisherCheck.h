// Only the publisher's program may replace the publisher's program: the rule
// that holds a signed installation to the key it was signed with.
#pragma once

#include <string>

#include "platform/Signatures.h"
#include "platform/Window.h"

namespace pellinor {

enum class PublisherVerdict {
    Accept,
    RefuseUnsigned,        // the installed program is signed, the download not
    RefuseBroken,          // the download's signature does not hold over its bytes
    RefuseOtherPublisher,  // signed, intact, but not by the installed program's publisher
};

// The rule. An installed program without a readable signer pins nothing,
// and anything that passed the other checks may replace it. Otherwise the
// installed signer's key is the authority: a download signed with that key
// and intact is accepted, whatever the system thinks of its certificate
// (unknown root, expired); one signed with another key only when its
// signer's subject name is the same and the system trusts its chain fully
// (a renewed certificate).
PublisherVerdict JudgePublisher(const FileSignature& installed, const FileSignature& downloaded);

// Reads the signatures of the installed program and of its download and
// judges them; the download's is read only when the installed one pins a key.
PublisherVerdict CheckPublisher(Signatures& signatures, const std::string& installed,
                                const std::string& download);

// The box that says why a download was refused, the folder appended.
void ShowRefusal(Window& window, PublisherVerdict verdict, bool chinese, const std::string& folder);

}  // namespace pellinor
