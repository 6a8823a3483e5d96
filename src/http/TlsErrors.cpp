#include "http/TlsErrors.h"

#include <boost/asio/error.hpp>
#include <cstdio>

#include "http/SocketErrors.h"
#include "platform/Error.h"

namespace pellinor {

const char* const kTlsDowngradeRefused =
    "The https address redirected to an http address, which is not secure; it was not "
    "followed.\r\nhttps 地址被重定向到不安全的 http 地址，已拒绝跟随。";
const char* const kTlsNeedsNewerWindows =
    "This Windows cannot make the TLS 1.2 connection that https needs (Windows 7 SP1 and "
    "later can). Use an http address.\r\n此 Windows 版本无法建立 https 所需的 TLS 1.2 连接"
    "（Windows 7 SP1 及以后版本可以）。请使用 http 地址。";
const char* const kTlsHandshakeTooSlow =
    "The server took more than 60 s over the secure (TLS) connection's start.\r\n"
    "服务器建立安全 (TLS) 连接的时间超过 60 秒。";

namespace {

struct TlsText {
    uint32_t code;
    const char* text;
};

const char* const kNotTrusted =
    "The server's certificate was not issued by an authority this PC trusts.\r\n"
    "服务器的证书不是由本电脑信任的机构颁发的。";

const TlsText kTexts[] = {
    {kCertUntrustedRoot, kNotTrusted},
    {kCertChaining, kNotTrusted},
    {kCertSignature, kNotTrusted},
    {kCertNoAuthority, kNotTrusted},
    {kCertNameMismatch,
     "The server's certificate is for another name than the one in the address.\r\n"
     "服务器证书上的名称与地址中的名称不符。"},
    {kCertExpired,
     "The server's certificate has expired or is not valid yet (check this PC's date too).\r\n"
     "服务器的证书已过期或尚未生效（请同时检查本电脑的日期）。"},
    {kTlsNoCommonAlgorithm,
     "The server and this PC have no TLS version or cipher in common (this PC needs TLS "
     "1.2).\r\n服务器与本电脑没有共同的 TLS 版本或加密方式（本电脑需要 TLS 1.2）。"},
};

// Every other certificate trust failure (CERT_E_..., TRUST_E_...), and every
// other failure of SChannel (SEC_E_...).
constexpr uint32_t kFacilityMask = 0xFFFF0000;
constexpr uint32_t kCertFacility = 0x800B0000;
constexpr uint32_t kSecurityFacility = 0x80090000;
const char* const kCertRefused = "The server's certificate was refused.\r\n服务器的证书被拒绝。";
const char* const kTlsFailed =
    "The secure (TLS) connection to the server failed.\r\n与服务器的安全 (TLS) 连接失败。";

std::string WithCode(const char* text, uint32_t code) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%08X", static_cast<unsigned>(code));
    return std::string(text) + "\r\n(" + number + ")";
}

}  // namespace

std::string TlsErrorText(const boost::system::error_code& ec) {
    if (ec == boost::asio::error::eof) return kConnectionClosedGracefully;
    const auto code = static_cast<uint32_t>(ec.value());
    if (ec.category() == boost::system::system_category()) {
        for (const TlsText& entry : kTexts) {
            if (entry.code == code) return WithCode(entry.text, code);
        }
        if ((code & kFacilityMask) == kCertFacility) return WithCode(kCertRefused, code);
        if ((code & kFacilityMask) == kSecurityFacility) return WithCode(kTlsFailed, code);
    }
    return SocketErrorMessage(WindowsSocketError(ec));
}

void RaiseTlsError(const boost::system::error_code& ec) {
    throw Error(TlsErrorText(ec));
}

}  // namespace pellinor
