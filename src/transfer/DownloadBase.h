// Where downloads come from by default. The host and the scheme ("http" or
// "https") are build options: a reserved name in the product, a server on
// 127.0.0.1 in the demo and tests.
#pragma once

#include <string>

namespace pellinor {

// scheme "://" host "/V9/02/": file names are appended without a separator.
std::string DefaultDownloadBase();
// scheme "://" host: the SDK archives' names are appended with their "/".
std::string DefaultServerRoot();

}  // namespace pellinor
