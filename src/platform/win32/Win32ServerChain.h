// The server's certificate chain as this program checks it after every
// handshake. SChannel's own check ends in CertVerifyCertificateChainPolicy,
// which Wine (and not only Wine) answers with 0 for a chain it could not
// finish: a leaf sent alone by a server whose CA nobody trusts, or a leaf
// that names a trusted CA as its issuer but was signed by another key.
#pragma once

#include <cstdint>

#include "platform/win32/WindowsHeaders.h"

namespace pellinor {

// 0 when the chain of leaf, built from the certificates the server sent
// with it and the system's trusted roots only, ends at a trusted root with
// nothing wrong for a server's use; otherwise the system's number for the
// first thing wrong (CERT_E_CHAINING, CERT_E_UNTRUSTEDROOT,
// TRUST_E_CERT_SIGNATURE, CERT_E_EXPIRED, CERT_E_WRONG_USAGE ...).
uint32_t ServerChainError(PCCERT_CONTEXT leaf);

}  // namespace pellinor
