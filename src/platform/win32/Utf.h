// Conversions at the Windows boundary: the program's texts are UTF-8, the
// W APIs take UTF-16.
#pragma once

#include <string>

namespace pellinor {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16);

}  // namespace pellinor
