// File signatures through the system's own trust and certificate services.
#pragma once

#include "platform/Signatures.h"

namespace pellinor {

class Win32Signatures : public Signatures {
  public:
    FileSignature Read(const std::string& path) override;
    std::vector<FileSignature> ReadDetached(const std::string& path,
                                            const std::string& signaturePath) override;
    std::optional<PublicKey> CertificateKey(const std::string& path) override;
};

}  // namespace pellinor
