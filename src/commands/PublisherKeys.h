// The publisher's keys a release carries, and the rule they make: a program
// or an archive is admitted only when its signature holds over its bytes and
// its signer's key is one of them. Keys, never names: anybody can make a
// certificate with the publisher's name on it, but not with its key. Room
// for several, so that the publisher can move to a standby key kept offline
// without a new Pellinor.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/Refusal.h"
#include "platform/FileSystem.h"
#include "platform/Signatures.h"

namespace pellinor {

// Empty: the build carries no keys, and the installed program's signature
// is the only authority, as in every build before keys could be built in.
using PublisherKeys = std::vector<PublicKey>;

enum class KeyVerdict {
    Accept,
    RefuseUnsigned,    // no signature at all, or an archive without its signature file
    RefuseBroken,      // a signature that does not hold over the bytes: changed after signing
    RefuseOtherKey,    // a signature that holds, by a key that is not one of the publisher's
    RefuseWeakDigest,  // a signature over SHA-1 digests, which proves nothing
};

// The rule. Whether the system trusts the signer's certificate chain plays
// no part: the key decides, and a hotel PC may know no root of it.
KeyVerdict JudgeSigner(const FileSignature& file, const PublisherKeys& keys);

// Of a detached signature's signers, the one the keys admit, or else the
// first (whose refusal is told); no signature when there are none. A
// publisher moving to its standby key signs with both.
FileSignature DecisiveSigner(const std::vector<FileSignature>& signers, const PublisherKeys& keys);

// "accept", or "refuse: " and why, as the log and the support tool say it.
const char* KeyVerdictName(KeyVerdict verdict);

// The program at path (signed inside) held to the keys; shownName names it
// in the box. Nothing when it may be used.
std::optional<Refusal> CheckSignedProgram(Signatures& signatures, const PublisherKeys& keys,
                                          const std::string& path, const std::string& shownName);

// The file at path held to the keys through its detached signature in the
// file at signaturePath; a missing signature file counts as no signature.
std::optional<Refusal> CheckSignedArchive(Signatures& signatures, FileSystem& files,
                                          const PublisherKeys& keys, const std::string& path,
                                          const std::string& signaturePath,
                                          const std::string& shownName);

// "none", or each key's SHA-256: what the log's first line and a release's
// record say about the keys built in.
std::string KeysForLog(const PublisherKeys& keys);

}  // namespace pellinor
