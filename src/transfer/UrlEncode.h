// Encoding of a typed URL into the form that is sent.
#pragma once

#include <string>

namespace pellinor {

// Every byte for which escape holds becomes "%" and two upper-case hex digits.
std::string PercentEscape(const std::string& s, bool (*escape)(unsigned char c));

// Throws pellinor::Error "Protocol field is empty" or "Host field is empty".
std::string EncodeUrl(const std::string& url);

}  // namespace pellinor
