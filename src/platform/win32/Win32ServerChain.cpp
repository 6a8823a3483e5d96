// The chain of the server's certificate, built again and read by the
// program itself: the trust status is the verdict, the SSL policy only
// a second opinion.
#include "platform/win32/Win32ServerChain.h"

#include <memory>

namespace pellinor {
namespace {

struct ChainFree {
    void operator()(PCCERT_CHAIN_CONTEXT chain) const { ::CertFreeCertificateChain(chain); }
};
using ScopedChain = std::unique_ptr<const CERT_CHAIN_CONTEXT, ChainFree>;

struct TrustError {
    DWORD status;   // a CERT_TRUST_... error bit
    uint32_t code;  // the number the user's box names for it
};

// In the order they are reported: the most telling first. A chain whose
// links do not hold, or that stops short of a root, says that whoever made
// the server's certificate is no authority this PC knows.
constexpr TrustError kTrustErrors[] = {
    {CERT_TRUST_IS_NOT_SIGNATURE_VALID, static_cast<uint32_t>(TRUST_E_CERT_SIGNATURE)},
    {CERT_TRUST_IS_PARTIAL_CHAIN, static_cast<uint32_t>(CERT_E_CHAINING)},
    {CERT_TRUST_IS_CYCLIC, static_cast<uint32_t>(CERT_E_CHAINING)},
    {CERT_TRUST_IS_UNTRUSTED_ROOT, static_cast<uint32_t>(CERT_E_UNTRUSTEDROOT)},
    {CERT_TRUST_INVALID_BASIC_CONSTRAINTS, static_cast<uint32_t>(TRUST_E_BASIC_CONSTRAINTS)},
    {CERT_TRUST_IS_NOT_TIME_VALID, static_cast<uint32_t>(CERT_E_EXPIRED)},
    {CERT_TRUST_IS_NOT_VALID_FOR_USAGE, static_cast<uint32_t>(CERT_E_WRONG_USAGE)},
    {CERT_TRUST_IS_REVOKED, static_cast<uint32_t>(CRYPT_E_REVOKED)},
};

// What the chain may say without being refused: revocation is not looked
// up (the PC may reach the download server and nothing else), and a CA
// whose validity does not enclose its leaf's is no fault by itself (the
// system's own SSL policy ignores it too).
constexpr DWORD kNotErrors = CERT_TRUST_REVOCATION_STATUS_UNKNOWN |
                             CERT_TRUST_IS_OFFLINE_REVOCATION | CERT_TRUST_IS_NOT_TIME_NESTED;

}  // namespace

uint32_t ServerChainError(PCCERT_CONTEXT leaf) {
    if (!leaf) return static_cast<uint32_t>(CERT_E_CHAINING);
    char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
    LPSTR usages[] = {serverAuth};
    CERT_CHAIN_PARA para{};
    para.cbSize = sizeof para;
    para.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    para.RequestedUsage.Usage.cUsageIdentifier = 1;
    para.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    // The certificates the server sent (the leaf's own store) and the
    // system's: no issuer is fetched from the network, since a server must
    // send its intermediates, and nothing waits on a line that may not be.
    PCCERT_CHAIN_CONTEXT built = nullptr;
    if (!::CertGetCertificateChain(nullptr, leaf, nullptr, leaf->hCertStore, &para,
                                   CERT_CHAIN_CACHE_ONLY_URL_RETRIEVAL, nullptr, &built)) {
        const DWORD error = ::GetLastError();
        return error != 0 ? static_cast<uint32_t>(error) : static_cast<uint32_t>(CERT_E_CHAINING);
    }
    const ScopedChain chain(built);
    const DWORD status = chain->TrustStatus.dwErrorStatus & ~kNotErrors;
    for (const TrustError& error : kTrustErrors) {
        if (status & error.status) return error.code;
    }
    if (status != CERT_TRUST_NO_ERROR) return static_cast<uint32_t>(CERT_E_CHAINING);
    // Whatever the flags say, the chain must end at a certificate that
    // signed itself: one that stops at an issuer it could not find ends
    // at no root.
    if (chain->cChain == 0 || chain->rgpChain[0]->cElement == 0) {
        return static_cast<uint32_t>(CERT_E_CHAINING);
    }
    const CERT_SIMPLE_CHAIN& simple = *chain->rgpChain[0];
    const CERT_CHAIN_ELEMENT& last = *simple.rgpElement[simple.cElement - 1];
    if (!(last.TrustStatus.dwInfoStatus & CERT_TRUST_IS_SELF_SIGNED)) {
        return static_cast<uint32_t>(CERT_E_CHAINING);
    }
    return 0;
}

}  // namespace pellinor
