// The bytes of a file the system would start as a program: a DOS header
// pointing at NT headers for i386, marked executable and not a DLL, a PE32
// optional header and one section whose raw data is the text given, which
// stands for the rest of the program.
#pragma once

#include <string>

namespace pellinor {

inline std::string ProgramBytes(const std::string& rest) {
    const size_t headers = 64 + 24 + 224 + 40;
    std::string bytes(headers, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 64;  // e_lfanew: right after the DOS header
    bytes.replace(64, 4, std::string("PE\0\0", 4));
    bytes[64 + 4] = 0x4C;  // machine: i386
    bytes[64 + 5] = 0x01;
    bytes[64 + 6] = 1;      // one section
    bytes[64 + 20] = 224;   // SizeOfOptionalHeader
    bytes[64 + 22] = 0x02;  // characteristics: an executable image
    bytes[64 + 24] = 0x0B;  // PE32
    bytes[64 + 25] = 0x01;
    for (size_t i = 0; i < 4; ++i) {  // the section's raw data: its size, and where
        bytes[headers - 24 + i] = static_cast<char>(rest.size() >> (8 * i));
        bytes[headers - 20 + i] = static_cast<char>(headers >> (8 * i));
    }
    return bytes + rest;
}

}  // namespace pellinor
