// Only the publisher's program may replace the publisher's program: the rule
// that holds a signed installation to the key it was signed with.
#pragma once

#include <string>

#include "commands/signatures/CertificateTable.h"
#include "platform/FileSystem.h"
#include "platform/Signatures.h"

namespace pellinor {

enum class PublisherVerdict {
    Accept,
    RefuseUnsigned,        // the installed program is signed, the download not
    RefuseBroken,          // the download's signature does not hold over its bytes
    RefuseWeakDigest,      // the download's signature is over SHA-1 digests: worth nothing
    RefuseOtherPublisher,  // signed, intact, but not by the installed program's publisher
    // The installed program was signed, but its signer cannot be read: a
    // damaged signature block, or one the system cannot make sense of.
    RefuseInstalledSignerUnknown,
    RefuseInstalledUnreadable,  // the installed program cannot be read at all
};

// The rule. Only an installed program without a certificate table counts
// as unsigned: it pins nothing, and anything that passed the other checks
// may replace it. One that has a table but no signer anybody can read
// refuses every download, since whatever its publisher was, nothing can be
// held to it; so does one that cannot be read. Otherwise the installed
// signer's key is the authority: a download signed with that key
// and intact is accepted, whatever the system thinks of its certificate
// (unknown root, expired); one signed with another key only when its
// signer's subject name is the same and the system trusts its chain fully
// (a renewed certificate).
PublisherVerdict JudgePublisher(const FileSignature& installed, CertificateTable installedTable,
                                const FileSignature& downloaded);

// Reads the signatures of the installed program and of its download and
// judges them; the installed program's headers are read only when no
// signer was found in it, and the download's signature only when the
// installed one pins a key. A missing installed program pins nothing.
PublisherVerdict CheckPublisher(Signatures& signatures, FileSystem& files,
                                const std::string& installed, const std::string& download);

// The system's verdict code, the signer's key (its SHA-256) and name, as
// support compares them.
std::string SignatureForLog(const FileSignature& signature);

}  // namespace pellinor
