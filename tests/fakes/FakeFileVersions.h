// A stand-in for the system's version resources: each path says what it was
// told to, and a path it was told nothing about carries no version resource.
#pragma once

#include <map>
#include <string>

#include "platform/FileVersions.h"

namespace pellinor {

class FakeFileVersions : public FileVersions {
  public:
    FileVersion Read(const std::string& path) override {
        auto it = byPath.find(path);
        return it == byPath.end() ? FileVersion{} : it->second;
    }
    std::map<std::string, FileVersion> byPath;
};

}  // namespace pellinor
