// The bytes of a file the system would start as a program: a DOS header
// pointing at NT headers for i386, marked executable and not a DLL, then
// the text given, which stands for the rest of the program.
#pragma once

#include <string>

namespace pellinor {

inline std::string ProgramBytes(const std::string& rest) {
    std::string bytes(64 + 24, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 64;  // e_lfanew: right after the DOS header
    bytes.replace(64, 4, std::string("PE\0\0", 4));
    bytes[64 + 4] = 0x4C;  // machine: i386
    bytes[64 + 5] = 0x01;
    bytes[64 + 22] = 0x02;  // characteristics: an executable image
    return bytes + rest;
}

}  // namespace pellinor
