// Socket failures as Windows numbers them (10061, 11001, ...), so that both
// builds show the same text for the same failure.
#pragma once

#include <boost/system/error_code.hpp>

namespace pellinor {

int WindowsSocketError(const boost::system::error_code& ec);

}  // namespace pellinor
