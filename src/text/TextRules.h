// The byte rules every part of the program uses for its texts: trimming,
// ASCII-only upper-casing, wildcards, 1-based positions, file names and
// extensions, and rounding halves to the even neighbour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pellinor {

// Removes every byte from 0 to 32 at both ends; bytes from 128 up stay.
std::string Trim(const std::string& s);

// Changes only the bytes a to z.
std::string UpperAscii(const std::string& s);

// Changes only the bytes A to Z.
std::string LowerAscii(const std::string& s);

bool SameTextAscii(const std::string& a, const std::string& b);

// Windows' wildcard match, as a folder listing and a proxy bypass list read
// it: "*" any run of bytes, "?" one byte, ASCII letters in any case.
// Without recursion, so that no pattern takes more than its length times the
// text's.
bool WildcardMatch(const std::string& pattern, const std::string& text);

// 1-based byte position of the first occurrence of needle, 0 when absent.
size_t Pos(const std::string& needle, const std::string& haystack);

// The text after the last "\" or ":".
std::string ExtractFileName(const std::string& path);

// From the last "." that no "\" or ":" follows, the dot included; empty when none.
std::string ExtractFileExt(const std::string& path);

// Nearest integer, halves to the even neighbour.
int64_t RoundHalfEven(double value);

// The pieces between separators; one piece (s itself) when there is none.
std::vector<std::string> Split(const std::string& s, char separator);

// Appends "\" unless the last byte already is one.
std::string WithTrailingBackslash(const std::string& path);

// One text for each folder, whichever way a shortcut wrote it: "/" read as
// "\", "." and ".." steps taken (never above the drive or the share),
// repeated separators made one, and one "\" at the end.
// "C:\Hotel\.\Tessaron", "C:\Hotel\..\Hotel\Tessaron" and "C:/Hotel/Tessaron/"
// are all "C:\Hotel\Tessaron\".
std::string NormalFolder(const std::string& path);

}  // namespace pellinor
