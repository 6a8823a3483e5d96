// Encoding of a typed URL into the form that is sent.
#pragma once

#include <string>

#include "transfer/HttpUrl.h"

namespace pellinor {

// Every byte for which escape holds becomes "%" and two upper-case hex digits.
std::string PercentEscape(const std::string& s, bool (*escape)(unsigned char c));

// The typed address split into its parts and escaped, ready to be requested
// as it is: the one place an address typed by a person is parsed. Throws
// pellinor::Error "Protocol field is empty" or "Host field is empty".
HttpUrl EncodeUrl(const std::string& url);

}  // namespace pellinor
