// The publisher keys' rule, and what it tells the log.
#include "commands/PublisherKeys.h"

#include "commands/PublisherCheck.h"
#include "log/LogEvent.h"

namespace pellinor {

const char* KeyVerdictName(KeyVerdict verdict) {
    switch (verdict) {
        case KeyVerdict::Accept:
            return "accept";
        case KeyVerdict::RefuseUnsigned:
            return "refuse: not signed";
        case KeyVerdict::RefuseBroken:
            return "refuse: changed after signing";
        case KeyVerdict::RefuseOtherKey:
            return "refuse: not a publisher key";
        case KeyVerdict::RefuseWeakDigest:
            return "refuse: signed with SHA-1";
    }
    return "?";
}

namespace {

// The box of each refusal.
TextId RefusalText(KeyVerdict verdict) {
    switch (verdict) {
        case KeyVerdict::RefuseBroken:
            return TextId::N9092;
        case KeyVerdict::RefuseOtherKey:
            return TextId::N9093;
        default:
            return TextId::N9091;
    }
}

std::optional<Refusal> Checked(const FileSignature& signature, const PublisherKeys& keys,
                               const std::string& shownName) {
    const KeyVerdict verdict = JudgeSigner(signature, keys);
    LogEvent("publisher keys: " + Quoted(shownName) + " " + SignatureForLog(signature) + "; " +
             KeyVerdictName(verdict));
    if (verdict == KeyVerdict::Accept) return std::nullopt;
    return Refusal{RefusalText(verdict), shownName, "", true};
}

}  // namespace

KeyVerdict JudgeSigner(const FileSignature& file, const PublisherKeys& keys) {
    switch (file.state) {
        case SignatureState::None:
            return KeyVerdict::RefuseUnsigned;
        case SignatureState::Broken:
            return KeyVerdict::RefuseBroken;
        case SignatureState::WeakDigest:
            return KeyVerdict::RefuseWeakDigest;
        case SignatureState::Intact:
            break;
    }
    // A signature that holds but names no signer vouches for nothing.
    if (file.publicKey.empty()) return KeyVerdict::RefuseBroken;
    for (const PublicKey& key : keys) {
        if (key.info == file.publicKey) return KeyVerdict::Accept;
    }
    return KeyVerdict::RefuseOtherKey;
}

std::optional<Refusal> CheckSignedProgram(Signatures& signatures, const PublisherKeys& keys,
                                          const std::string& path, const std::string& shownName) {
    return Checked(signatures.Read(path), keys, shownName);
}

std::optional<Refusal> CheckSignedArchive(Signatures& signatures, FileSystem& files,
                                          const PublisherKeys& keys, const std::string& path,
                                          const std::string& signaturePath,
                                          const std::string& shownName) {
    const std::vector<FileSignature> signers = files.FileExists(signaturePath)
                                                   ? signatures.ReadDetached(path, signaturePath)
                                                   : std::vector<FileSignature>{};
    return Checked(DecisiveSigner(signers, keys), keys, shownName);
}

FileSignature DecisiveSigner(const std::vector<FileSignature>& signers, const PublisherKeys& keys) {
    for (const FileSignature& signer : signers) {
        if (JudgeSigner(signer, keys) == KeyVerdict::Accept) return signer;
    }
    return signers.empty() ? FileSignature{} : signers.front();
}

std::string KeysForLog(const PublisherKeys& keys) {
    if (keys.empty()) return "none";
    std::string text;
    for (const PublicKey& key : keys) text += (text.empty() ? "" : ", ") + key.sha256;
    return text;
}

}  // namespace pellinor
