// What a file's signature says, embedded (Authenticode) or beside it (a
// detached PKCS #7 file): whether there is one, whether it still covers the
// file's bytes, whether the system trusts its signer, and who signed it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pellinor {

enum class SignatureState {
    None,    // the file carries no signature
    Broken,  // a signature that does not cover the file's bytes, that cannot be
             // read, or whose signer the system rejects outright (revoked)
    Intact,  // the signature covers the file's bytes as they are
    // A signature over SHA-1 digests: anybody can make two files whose
    // SHA-1 digests agree (chosen-prefix collisions), so it proves nothing
    // about the bytes, whatever the system says of it.
    WeakDigest,
};

struct FileSignature {
    SignatureState state = SignatureState::None;
    // The system trusts the whole chain up to a root it knows; an intact
    // signature of an unknown or expired certificate is not trusted.
    bool trusted = false;
    uint32_t systemResult = 0;  // the system's own verdict code, for the record
    // The signing certificate's public key (its SubjectPublicKeyInfo, DER:
    // the algorithm, its parameters and the key bits) and its subject name;
    // empty when no signing certificate could be read.
    std::string publicKey;
    std::string subject;
    // The SHA-256 of publicKey in lower-case hex, as the log names the key;
    // empty when the system could not make it.
    std::string publicKeySha256;
    // What the program's own reading of the signature found against it (a
    // table out of bounds, a digest that is not the file's), for the log;
    // empty when it found nothing.
    std::string fault{};
};

// A public key as a certificate holds it: its SubjectPublicKeyInfo (DER) and
// that's SHA-256 in lower-case hex.
struct PublicKey {
    std::string info;
    std::string sha256;
};

// Every signature check as the commands make it: the program's own reading
// of the bytes joined with the system's verdict (commands/signatures/CheckedSignatures).
class Signatures {
  public:
    virtual ~Signatures() = default;
    // Reads and checks the signature of the file at path (a Windows path).
    virtual FileSignature Read(const std::string& path) = 0;
    // Checks the detached signature in the file at signaturePath (PKCS #7,
    // DER) over the bytes of the file at path, one answer per signer in the
    // order the signature lists them: Intact only when that signer's
    // signature holds over them. None at all when signaturePath holds no
    // signature.
    virtual std::vector<FileSignature> ReadDetached(const std::string& path,
                                                    const std::string& signaturePath) = 0;
    // The public key of the certificate in the file at path (PEM or DER);
    // nothing when the file holds no certificate.
    virtual std::optional<PublicKey> CertificateKey(const std::string& path) = 0;
};

// What the system alone says of signatures: its trust verdict and the
// signer it reads. Only what was screened first is handed to it.
class SystemSignatures {
  public:
    virtual ~SystemSignatures() = default;
    // The system's verdict on the embedded signature of the file at path,
    // and its signer.
    virtual FileSignature Read(const std::string& path) = 0;
    // The system's verdict on a detached signature with one signer (PKCS #7,
    // DER) over the bytes of the file at path, and its signer.
    virtual FileSignature ReadDetached(const std::string& path, const std::string& signature) = 0;
    // The public key of the certificate in the file at path (PEM or DER);
    // nothing when the file holds no certificate.
    virtual std::optional<PublicKey> CertificateKey(const std::string& path) = 0;
};

}  // namespace pellinor
