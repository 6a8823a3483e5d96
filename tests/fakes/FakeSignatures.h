// A stand-in for the system's signature check: each path says what it was
// told to, and a path it was told nothing about carries no signature.
#pragma once

#include <map>
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

    std::map<std::string, FileSignature> byPath;
    std::vector<std::string> read;  // every path asked about, in order
};

}  // namespace pellinor
