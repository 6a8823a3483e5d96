// The publisher check between an upgrade's download and its replacement.
#include "commands/PublisherCheck.h"

#include <cstdio>

#include "log/LogEvent.h"

namespace pellinor {

namespace {

const char* StateName(SignatureState state) {
    switch (state) {
        case SignatureState::None:
            return "none";
        case SignatureState::Broken:
            return "broken";
        case SignatureState::Intact:
            return "intact";
        case SignatureState::WeakDigest:
            return "sha-1";
    }
    return "?";
}

PublisherVerdict Logged(PublisherVerdict verdict) {
    const char* name = "?";
    switch (verdict) {
        case PublisherVerdict::Accept:
            name = "accept";
            break;
        case PublisherVerdict::RefuseUnsigned:
            name = "refuse: the download is not signed";
            break;
        case PublisherVerdict::RefuseBroken:
            name = "refuse: the download's signature does not hold";
            break;
        case PublisherVerdict::RefuseWeakDigest:
            name = "refuse: the download is signed with SHA-1";
            break;
        case PublisherVerdict::RefuseOtherPublisher:
            name = "refuse: another publisher";
            break;
        case PublisherVerdict::RefuseInstalledSignerUnknown:
            name = "refuse: the installed program's signer cannot be read";
            break;
        case PublisherVerdict::RefuseInstalledUnreadable:
            name = "refuse: the installed program cannot be read";
            break;
    }
    LogEvent(std::string("publisher check: ") + name);
    return verdict;
}

}  // namespace

std::string SignatureForLog(const FileSignature& signature) {
    char result[16];
    std::snprintf(result, sizeof result, "0x%08X", static_cast<unsigned>(signature.systemResult));
    const std::string key = signature.publicKey.empty()         ? "none"
                            : signature.publicKeySha256.empty() ? "?"
                                                                : signature.publicKeySha256;
    return std::string("signature=") + StateName(signature.state) + " result=" + result +
           " trusted=" + YesNo(signature.trusted) + " key=" + key +
           " subject=" + Quoted(signature.subject) +
           (signature.fault.empty() ? "" : " fault=" + Quoted(signature.fault));
}

PublisherVerdict JudgePublisher(const FileSignature& installed, CertificateTable installedTable,
                                const FileSignature& downloaded) {
    if (installed.publicKey.empty()) {
        switch (installedTable) {
            case CertificateTable::Absent:
                // Nothing to hold the download to: the upgrade stays as it always was.
                return PublisherVerdict::Accept;
            case CertificateTable::Present:
                return PublisherVerdict::RefuseInstalledSignerUnknown;
            case CertificateTable::Unreadable:
                return PublisherVerdict::RefuseInstalledUnreadable;
        }
    }

    switch (downloaded.state) {
        case SignatureState::None:
            return PublisherVerdict::RefuseUnsigned;
        case SignatureState::Broken:
            return PublisherVerdict::RefuseBroken;
        case SignatureState::WeakDigest:
            return PublisherVerdict::RefuseWeakDigest;
        case SignatureState::Intact:
            break;
    }
    if (downloaded.publicKey.empty()) return PublisherVerdict::RefuseBroken;
    if (downloaded.publicKey == installed.publicKey) return PublisherVerdict::Accept;
    // A new key is the publisher's only if the system vouches for the whole
    // chain to a root it trusts, and the name it vouches for is the same.
    const bool sameName = !installed.subject.empty() && downloaded.subject == installed.subject;
    if (sameName && downloaded.trusted) return PublisherVerdict::Accept;
    return PublisherVerdict::RefuseOtherPublisher;
}

PublisherVerdict CheckPublisher(Signatures& signatures, FileSystem& files,
                                const std::string& installed, const std::string& download) {
    const FileSignature before = signatures.Read(installed);
    LogEvent("publisher installed: " + SignatureForLog(before));
    if (!before.publicKey.empty()) {
        const FileSignature after = signatures.Read(download);
        LogEvent("publisher download: " + SignatureForLog(after));
        return Logged(JudgePublisher(before, CertificateTable::Present, after));
    }
    const CertificateTable table = files.FileExists(installed)
                                       ? FindCertificateTable(files, installed)
                                       : CertificateTable::Absent;
    return Logged(JudgePublisher(before, table, FileSignature{}));
}

}  // namespace pellinor
