// A stand-in for the system's signature checks: each path says what it was
// told to, and a path it was told nothing about carries no signature.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Signatures.h"

namespace pellinor {

class FakeSignatures : public Signatures {
  public:
    FileSignature Read(const std::string& path) override {
        read.push_back(path);
        auto it = byPath.find(path);
        return it == byPath.end() ? FileSignature{} : it->second;
    }

    // A detached signature says what it was told for the file it signs.
    std::vector<FileSignature> ReadDetached(const std::string& path,
                                            const std::string& signaturePath) override {
        read.push_back(signaturePath);
        auto it = detachedByPath.find(path);
        if (it == detachedByPath.end()) return {};
        return {it->second};
    }

    std::optional<PublicKey> CertificateKey(const std::string& path) override {
        auto it = certificates.find(path);
        if (it == certificates.end()) return std::nullopt;
        return it->second;
    }

    std::map<std::string, FileSignature> byPath;
    std::map<std::string, FileSignature> detachedByPath;
    std::map<std::string, PublicKey> certificates;
    std::vector<std::string> read;  // every path asked about, in order
};

}  // namespace pellinor
