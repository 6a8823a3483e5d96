// The sessions over boost-wintls, with every option set: its defaults
// verify nothing.
#include "platform/win32/Win32TlsSessions.h"

// clang-format off
#include "platform/win32/WindowsHeaders.h"
#include <wintls.hpp>
// clang-format on

#include <cstdio>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Win32ServerChain.h"

namespace pellinor {
namespace {

using Socket = boost::asio::ip::tcp::socket;

struct Name {
    unsigned id;
    const char* text;
};

// The names of what SChannel reports, as the log shows them; a number it
// reports beyond these is shown as it is.
std::string NameOf(unsigned id, const Name* names, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (names[i].id == id) return names[i].text;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%x", id);
    return hex;
}

template <size_t N>
std::string NameOf(unsigned id, const Name (&names)[N]) {
    return NameOf(id, names, N);
}

constexpr Name kProtocols[] = {
    {SP_PROT_TLS1_CLIENT, "TLSv1.0"},
    {SP_PROT_TLS1_1_CLIENT, "TLSv1.1"},
    {SP_PROT_TLS1_2_CLIENT, "TLSv1.2"},
    {SP_PROT_TLS1_3_CLIENT, "TLSv1.3"},
};
constexpr Name kCiphers[] = {
    {CALG_AES_128, "AES-128"}, {CALG_AES_192, "AES-192"}, {CALG_AES_256, "AES-256"},
    {CALG_3DES, "3DES"},       {CALG_RC4, "RC4"},
};
constexpr Name kHashes[] = {
    {CALG_SHA1, "SHA-1"},      {CALG_SHA_256, "SHA-256"}, {CALG_SHA_384, "SHA-384"},
    {CALG_SHA_512, "SHA-512"}, {CALG_MD5, "MD5"},         {0, "AEAD"},
};
constexpr Name kExchanges[] = {
    {CALG_RSA_KEYX, "RSA"},
    {CALG_DH_EPHEM, "DHE"},
    {CALG_ECDH, "ECDH"},
    {CALG_ECDH_EPHEM, "ECDHE"},
};

class Win32TlsSession : public TlsSession {
  public:
    Win32TlsSession(Socket& socket, wintls::context& context, const std::string& serverName)
        : stream_(socket, context) {
        stream_.set_server_hostname(serverName);
        stream_.set_certificate_revocation_check(false);
    }

    void AsyncHandshake(Done done) override {
        stream_.async_handshake(
            wintls::handshake_type::client,
            [this, done](const boost::system::error_code& e) { done(e ? e : ChainError(), 0); });
    }
    void AsyncReadSome(boost::asio::mutable_buffer buffer, Done done) override {
        stream_.async_read_some(buffer, std::move(done));
    }
    void AsyncWriteSome(boost::asio::const_buffer buffer, Done done) override {
        stream_.async_write_some(buffer, std::move(done));
    }

    std::string Description() override {
        SecPkgContext_ConnectionInfo info{};
        if (wintls::detail::sspi_functions::QueryContextAttributesA(
                stream_.native_context_handle(), SECPKG_ATTR_CONNECTION_INFO, &info) != SEC_E_OK) {
            return std::string();
        }
        return NameOf(info.dwProtocol, kProtocols) + " " + NameOf(info.aiCipher, kCiphers) + " " +
               NameOf(info.aiHash, kHashes) + " " + NameOf(info.aiExch, kExchanges);
    }

  private:
    // The server's chain checked by the program itself once SChannel has
    // passed it (see Win32ServerChain.h): its number, in the system's
    // category as SChannel's are, or none.
    boost::system::error_code ChainError() {
        PCCERT_CONTEXT presented = nullptr;
        const SECURITY_STATUS queried = wintls::detail::sspi_functions::QueryContextAttributesA(
            stream_.native_context_handle(), SECPKG_ATTR_REMOTE_CERT_CONTEXT, &presented);
        const ScopedCertificate leaf(queried == SEC_E_OK ? presented : nullptr);
        const uint32_t code =
            queried != SEC_E_OK ? static_cast<uint32_t>(queried) : ServerChainError(leaf.Get());
        if (code == 0) return boost::system::error_code();
        return boost::system::error_code(static_cast<int>(code), boost::system::system_category());
    }

    wintls::stream<Socket&> stream_;
};

// Windows 7 is the first whose SChannel speaks TLS 1.2 (asked for by name);
// XP and Vista stop at 1.0, which servers no longer offer. Checked before a
// handshake that could only fail with a number nobody can read.
bool SystemSpeaksTls12() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExW(&version)) return true;
    return version.dwMajorVersion > 6 ||
           (version.dwMajorVersion == 6 && version.dwMinorVersion >= 1);
}

}  // namespace

struct Win32TlsSessions::Settings {
    // TLS 1.2 asked for by name: Windows 7's SChannel offers it only then,
    // and 1.3 would need Windows 10's credentials structure. Older
    // versions are not offered at all.
    wintls::context context{wintls::method::tlsv12_client};
    Settings() {
        context.use_default_certificates(true);
        context.verify_server_certificate(true);
    }
};

Win32TlsSessions::Win32TlsSessions() : settings_(std::make_unique<Settings>()) {}

Win32TlsSessions::~Win32TlsSessions() = default;

std::unique_ptr<TlsSession> Win32TlsSessions::Begin(Socket& socket, const std::string& serverName) {
    if (!SystemSpeaksTls12()) return nullptr;
    return std::make_unique<Win32TlsSession>(socket, settings_->context, serverName);
}

}  // namespace pellinor
