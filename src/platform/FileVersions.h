// What a program file's version resource says of it: the file version of
// its fixed part and the name it was built under.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pellinor {

struct FileVersion {
    bool present = false;  // the file carries a version resource at all
    // The fixed part's file version, its four 16-bit parts from the most
    // significant on ("7.35.9.0" is 0x0007'0023'0009'0000); none without
    // a fixed part.
    std::optional<uint64_t> number;
    // OriginalFilename, or failing that InternalName (UTF-8); empty when
    // the resource names neither.
    std::string name;
};

class FileVersions {
  public:
    virtual ~FileVersions() = default;
    // Reads the version resource of the file at path (a Windows path); a
    // file without one, or one that cannot be read, gives present = false.
    virtual FileVersion Read(const std::string& path) = 0;
};

}  // namespace pellinor
