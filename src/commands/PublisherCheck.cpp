// The publisher check between an upgrade's download and its replacement.
#include "commands/PublisherCheck.h"

namespace pellinor {

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
    if (!before.publicKey.empty()) {
        return JudgePublisher(before, CertificateTable::Present, signatures.Read(download));
    }
    const CertificateTable table = files.FileExists(installed)
                                       ? FindCertificateTable(files, installed)
                                       : CertificateTable::Absent;
    return JudgePublisher(before, table, FileSignature{});
}

}  // namespace pellinor
