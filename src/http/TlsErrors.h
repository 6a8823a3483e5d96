// The texts of https failures as the user reads them: what went wrong in
// both languages (the client does not know the window's), then the
// system's own number, which support looks up.
#pragma once

#include <boost/system/error_code.hpp>
#include <cstdint>
#include <string>

#include "text/Texts.h"

namespace pellinor {

// The system's numbers that have a text of their own (HRESULTs, as SChannel
// and the certificate chain check report them).
enum : uint32_t {
    kCertExpired = 0x800B0101,           // CERT_E_EXPIRED: expired or not yet valid
    kCertUntrustedRoot = 0x800B0109,     // CERT_E_UNTRUSTEDROOT
    kCertChaining = 0x800B010A,          // CERT_E_CHAINING: no chain to any root
    kCertNameMismatch = 0x800B010F,      // CERT_E_CN_NO_MATCH
    kCertSignature = 0x80096004,         // TRUST_E_CERT_SIGNATURE: a link signed by another key
    kCertNoAuthority = 0x80096019,       // TRUST_E_BASIC_CONSTRAINTS: an issuer that is no CA
    kTlsNoCommonAlgorithm = 0x80090331,  // SEC_E_ALGORITHM_MISMATCH: no protocol or cipher shared
};

// A text of the texts' table in both languages, English first: the
// refusals below, say, or TextId::TlsDowngradeRefused for a redirect from an
// https address to an http one (what the user asked to be private would go
// in the clear), TlsNeedsNewerWindows where the system has no TLS 1.2
// (Windows XP and Vista, the oldest https a server may still offer), and
// TlsHandshakeTooSlow for a handshake longer than kTlsHandshakeLimit.
std::string InBothLanguages(TextId id);

// The text for a failed handshake, certificate check or TLS read or write.
// Numbers from the system's TLS have their texts; anything else (the peer
// closed, a socket error) reads as the same failure on a plain connection.
std::string TlsErrorText(const boost::system::error_code& ec);

[[noreturn]] void RaiseTlsError(const boost::system::error_code& ec);

}  // namespace pellinor
