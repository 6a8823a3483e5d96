// The program's own signature checks, and where the system's verdict joins
// them.
#include "commands/signatures/CheckedSignatures.h"

#include "commands/signatures/EmbeddedSignature.h"
#include "commands/signatures/Sha256.h"
#include "commands/signatures/SignedData.h"

namespace pellinor {

namespace {
FileSignature Refused(const OwnVerdict& verdict) {
    FileSignature signature;
    signature.state = verdict.state;
    signature.fault = verdict.fault;
    return signature;
}

// The system's answer, unless the program's own check found against it.
FileSignature Joined(FileSignature system, const OwnVerdict& own) {
    if (own.state != SignatureState::Intact) {
        system.state = own.state;
        system.trusted = false;
        system.fault = own.fault;
    }
    return system;
}

// The whole file's SHA-256, read a piece at a time.
std::optional<std::string> FileSha256(FileSystem& files, const std::string& path) {
    Sha256 hash;
    const std::optional<uint64_t> size = files.FileSize(path);
    if (!size || !HashFileRange(files, path, 0, *size, hash)) return std::nullopt;
    return hash.Digest();
}

// The image digest the content names, and the signer's messageDigest over
// the content, for the program's one signer.
OwnVerdict CheckProgramDigests(FileSystem& files, const std::string& path,
                               const EmbeddedTable& table, const SignedDataView& view,
                               const IndirectData& data) {
    const OwnVerdict strength = DigestStrength(data.digestAlgorithm);
    if (strength.state != SignatureState::Intact) return strength;
    const std::optional<std::string> image = ImageDigest(files, path, table.entry);
    if (!image) return OwnVerdict{SignatureState::Broken, "file unreadable"};
    if (*image != data.imageDigest)
        return OwnVerdict{SignatureState::Broken, "image digest is not the signed one"};
    return CheckSigner(view.signers[0], Sha256Of(std::string(data.signedBytes)), false);
}
}  // namespace

FileSignature CheckedSignatures::Read(const std::string& path) {
    EmbeddedTable table;
    OwnVerdict screen = ReadEmbeddedTable(files_, path, table);
    if (screen.state != SignatureState::Intact) return Refused(screen);
    SignedDataView view;
    IndirectData data;
    screen = ReadSignedData(table.signature, view);
    if (screen.state == SignatureState::Intact) screen = ReadIndirectData(view, data);
    // A program's signature has exactly one signer (the system reads the
    // first only, so a second would be one nobody checked).
    if (screen.state == SignatureState::Intact && view.signers.size() != 1)
        screen = OwnVerdict{SignatureState::None, "not one signer"};
    if (screen.state != SignatureState::Intact) return Refused(screen);
    return Joined(system_.Read(path), CheckProgramDigests(files_, path, table, view, data));
}

std::vector<FileSignature> CheckedSignatures::ReadDetached(const std::string& path,
                                                           const std::string& signaturePath) {
    const std::optional<uint64_t> size = files_.FileSize(signaturePath);
    if (!size || *size == 0) return {};  // no signature to speak of
    if (*size > kLargestDetachedSignatureBytes)
        return {Refused({SignatureState::None, "signature file too large"})};
    const std::string der = files_.ReadFile(signaturePath, kLargestDetachedSignatureBytes);
    SignedDataView view;
    const OwnVerdict screen = ReadSignedData(der, view);
    if (screen.state != SignatureState::Intact) return {Refused(screen)};
    if (!view.content.empty()) return {Refused({SignatureState::None, "content not detached"})};
    const std::optional<std::string> digest = FileSha256(files_, path);
    if (!digest) return {Refused({SignatureState::Broken, "file unreadable"})};

    std::vector<FileSignature> signers;
    for (size_t i = 0; i < view.signers.size(); ++i) {
        signers.push_back(Joined(system_.ReadDetached(path, WithOneSigner(view, i)),
                                 CheckSigner(view.signers[i], *digest, true)));
    }
    return signers;
}

}  // namespace pellinor
