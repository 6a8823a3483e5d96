#include "http/TlsErrors.h"

#include <boost/asio/error.hpp>
#include <cstdio>

#include "http/SocketErrors.h"
#include "platform/Error.h"
#include "text/Texts.h"

namespace pellinor {

std::string InBothLanguages(TextId id) {
    return Tr(id, false) + "\r\n" + Tr(id, true);
}

namespace {

struct TlsText {
    uint32_t code;
    TextId text;
};

const TlsText kTexts[] = {
    {kCertUntrustedRoot, TextId::TlsNotTrusted},
    {kCertChaining, TextId::TlsNotTrusted},
    {kCertSignature, TextId::TlsNotTrusted},
    {kCertNoAuthority, TextId::TlsNotTrusted},
    {kCertNameMismatch, TextId::TlsNameMismatch},
    {kCertExpired, TextId::TlsExpired},
    {kTlsNoCommonAlgorithm, TextId::TlsNoCommonProtocol},
};

// Every other certificate trust failure (CERT_E_..., TRUST_E_...), and every
// other failure of SChannel (SEC_E_...).
constexpr uint32_t kFacilityMask = 0xFFFF0000;
constexpr uint32_t kCertFacility = 0x800B0000;
constexpr uint32_t kSecurityFacility = 0x80090000;

std::string WithCode(TextId text, uint32_t code) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%08X", static_cast<unsigned>(code));
    return InBothLanguages(text) + "\r\n(" + number + ")";
}

}  // namespace

std::string TlsErrorText(const boost::system::error_code& ec) {
    if (ec == boost::asio::error::eof) return kConnectionClosedGracefully;
    const auto code = static_cast<uint32_t>(ec.value());
    if (ec.category() == boost::system::system_category()) {
        for (const TlsText& entry : kTexts) {
            if (entry.code == code) return WithCode(entry.text, code);
        }
        if ((code & kFacilityMask) == kCertFacility)
            return WithCode(TextId::TlsCertificateRefused, code);
        if ((code & kFacilityMask) == kSecurityFacility) return WithCode(TextId::TlsFailed, code);
    }
    return SocketErrorMessage(WindowsSocketError(ec));
}

void RaiseTlsError(const boost::system::error_code& ec) {
    throw Error(TlsErrorText(ec));
}

}  // namespace pellinor
