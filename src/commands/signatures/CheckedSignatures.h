// The signature checks as every command uses them: the program's own reading
// of a signature first, the system's after it. Whatever is handed to the
// system is screened here (the certificate table, the signature file's size
// and DER), and the digests a signer signed are compared here with the
// digests of the bytes, since the system's verdict on them differs between
// Windows versions and Wine, which takes a signer's signature over its
// attributes without looking at what the attributes say.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Signatures.h"

namespace pellinor {

// The most of a detached signature that is read: one with its certificate
// chain is a few kilobytes, so anything near this is no signature.
constexpr size_t kLargestDetachedSignatureBytes = 256 * 1024;

class CheckedSignatures : public Signatures {
  public:
    CheckedSignatures(SystemSignatures& system, FileSystem& files)
        : system_(system), files_(files) {}

    // A program's embedded signature: its table screened (a fault makes it
    // None, unseen by the system); then the image digest its content names
    // and the messageDigest its signer signed, both computed here; then the
    // system's verdict and the signer, whose state a fault of the digests
    // overrides (the signer's key is kept: an installed program whose
    // signature broke still names its publisher).
    FileSignature Read(const std::string& path) override;

    // A detached signature: its size and DER screened, each signer's
    // messageDigest compared with the file's own SHA-256, then the system's
    // verdict on each signer, handed to it as a signature of that signer
    // alone.
    std::vector<FileSignature> ReadDetached(const std::string& path,
                                            const std::string& signaturePath) override;

    std::optional<PublicKey> CertificateKey(const std::string& path) override {
        return system_.CertificateKey(path);
    }

  private:
    SystemSignatures& system_;
    FileSystem& files_;
};

}  // namespace pellinor
