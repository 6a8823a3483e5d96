// Encoding of a typed URL into the form that is sent.
#pragma once

#include <string>

namespace pellinor {

// Throws pellinor::Error "Protocol field is empty" or "Host field is empty".
std::string EncodeUrl(const std::string& url);

}  // namespace pellinor
