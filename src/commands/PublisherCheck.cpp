// The publisher check between an upgrade's download and its replacement.
#include "commands/PublisherCheck.h"

#include "window/Messages.h"

namespace pellinor {

PublisherVerdict JudgePublisher(const FileSignature& installed, const FileSignature& downloaded) {
    // Nothing to hold the download to: the upgrade stays as it always was.
    if (installed.publicKey.empty()) return PublisherVerdict::Accept;

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

namespace {
TextId RefusalText(PublisherVerdict verdict) {
    switch (verdict) {
        case PublisherVerdict::RefuseUnsigned:
            return TextId::N9083;
        case PublisherVerdict::RefuseBroken:
            return TextId::N9084;
        default:
            return TextId::N9085;
    }
}
}  // namespace

PublisherVerdict CheckPublisher(Signatures& signatures, const std::string& installed,
                                const std::string& download) {
    const FileSignature before = signatures.Read(installed);
    if (before.publicKey.empty()) return PublisherVerdict::Accept;
    return JudgePublisher(before, signatures.Read(download));
}

void ShowRefusal(Window& window, PublisherVerdict verdict, bool chinese,
                 const std::string& folder) {
    if (verdict == PublisherVerdict::Accept) return;
    ShowBox(window, RefusalText(verdict), chinese, folder);
}

}  // namespace pellinor
