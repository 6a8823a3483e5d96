// Socket failures as Windows numbers them (10061, 11001, ...), so that both
// builds show the same text for the same failure.
#pragma once

#include <boost/system/error_code.hpp>

namespace pellinor {

// The two a dropped connection shows as: WSAECONNABORTED, the connection
// aborted on this side (a peer's reset can surface so), and WSAECONNRESET,
// the peer reset it.
constexpr int kConnectionAbortedError = 10053;
constexpr int kConnectionResetError = 10054;

int WindowsSocketError(const boost::system::error_code& ec);

}  // namespace pellinor
