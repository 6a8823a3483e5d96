// What a file's embedded (Authenticode) signature says: whether there is one,
// whether it still covers the file's bytes, whether the system trusts its
// signer, and who signed it.
#pragma once

#include <cstdint>
#include <string>

namespace pellinor {

enum class SignatureState {
    None,    // the file carries no signature
    Broken,  // a signature that does not cover the file's bytes, that cannot be
             // read, or whose signer the system rejects outright (revoked)
    Intact,  // the signature covers the file's bytes as they are
};

struct FileSignature {
    SignatureState state = SignatureState::None;
    // The system trusts the whole chain up to a root it knows; an intact
    // signature of an unknown or expired certificate is not trusted.
    bool trusted = false;
    uint32_t systemResult = 0;  // the system's own verdict code, for the record
    // The signing certificate's public key (algorithm and key bits) and its
    // subject name; empty when no signing certificate could be read.
    std::string publicKey;
    std::string subject;
};

class Signatures {
  public:
    virtual ~Signatures() = default;
    // Reads and checks the signature of the file at path (a Windows path).
    virtual FileSignature Read(const std::string& path) = 0;
};

}  // namespace pellinor
