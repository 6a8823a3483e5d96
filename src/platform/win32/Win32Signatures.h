// File signatures through the system's own trust and certificate services.
#pragma once

#include "platform/Signatures.h"

namespace pellinor {

class Win32Signatures : public SystemSignatures {
  public:
    FileSignature Read(const std::string& path) override;
    FileSignature ReadDetached(const std::string& path, const std::string& signature) override;
    std::optional<PublicKey> CertificateKey(const std::string& path) override;
};

}  // namespace pellinor
