// File signatures: the system's trust verdict on a file's embedded signature
// (WinVerifyTrust) and its signing certificate read from that signature
// (CryptQueryObject, the signer's issuer and serial number, the certificate
// they name in the signature's own store).
#include "platform/win32/Win32Signatures.h"

// clang-format off
#include <windows.h>
#include <wincrypt.h>
#include <softpub.h>
#include <wintrust.h>
// clang-format on

#include <cstdint>
#include <vector>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"

namespace pellinor {

namespace {
// The verdicts that leave the signature itself intact: the file's bytes are
// what the signer signed, and only the signer's certificate is not vouched
// for (an unknown root, an expired or not-yet-valid certificate, one that
// names no code-signing use). Every other failure is a broken signature.
constexpr HRESULT kChainOnlyVerdicts[] = {
    CERT_E_UNTRUSTEDROOT, CERT_E_CHAINING, CERT_E_UNTRUSTEDTESTROOT,
    CERT_E_UNTRUSTEDCA,   CERT_E_EXPIRED,  CERT_E_VALIDITYPERIODNESTING,
    CERT_E_WRONG_USAGE,   CERT_E_PURPOSE,  CERT_E_REVOCATION_FAILURE,
};

// The verdicts on a file in which the system finds no signature: none at
// all, or a form of file that cannot carry one.
constexpr HRESULT kNoSignatureVerdicts[] = {
    TRUST_E_NOSIGNATURE,
    TRUST_E_SUBJECT_FORM_UNKNOWN,
    TRUST_E_PROVIDER_UNKNOWN,
};

template <typename T, size_t N, typename V>
bool OneOf(const T (&list)[N], V value) {
    for (const T& item : list) {
        if (item == static_cast<T>(value)) return true;
    }
    return false;
}

// The system's verdict on the file's embedded signature. No window (the
// check runs in the middle of a command), no revocation lookup over the
// network (a hotel PC may be offline, and the pinned key decides anyway).
LONG VerifyTrust(const std::wstring& path) {
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path.c_str();

    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;

    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG verdict = ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    // The provider's state is released whatever the verdict.
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return verdict;
}

// The signature's message and certificate store, closed on every way out.
class EmbeddedSignature {
  public:
    explicit EmbeddedSignature(const std::wstring& path) {
        ::CryptQueryObject(CERT_QUERY_OBJECT_FILE, path.c_str(),
                           CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED,
                           CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding_, nullptr, nullptr, &store_,
                           &message_, nullptr);
    }
    ~EmbeddedSignature() {
        if (message_) ::CryptMsgClose(message_);
        if (store_) ::CertCloseStore(store_, 0);
    }
    EmbeddedSignature(const EmbeddedSignature&) = delete;
    EmbeddedSignature& operator=(const EmbeddedSignature&) = delete;

    // The certificate of the first signer (the one the trust verdict is
    // about), or nullptr; the caller frees it.
    PCCERT_CONTEXT SignerCertificate() const {
        if (!message_ || !store_) return nullptr;
        DWORD size = 0;
        if (!::CryptMsgGetParam(message_, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) || size == 0)
            return nullptr;
        std::vector<BYTE> buffer(size);
        if (!::CryptMsgGetParam(message_, CMSG_SIGNER_INFO_PARAM, 0, buffer.data(), &size))
            return nullptr;
        const auto* signer = reinterpret_cast<const CMSG_SIGNER_INFO*>(buffer.data());
        CERT_INFO wanted{};
        wanted.Issuer = signer->Issuer;
        wanted.SerialNumber = signer->SerialNumber;
        PCCERT_CONTEXT found = ::CertFindCertificateInStore(
            store_, encoding_, 0, CERT_FIND_SUBJECT_CERT, &wanted, nullptr);
        // The certificate found by issuer and serial number is the signer's
        // only if the signature verifies with its key: a signature can carry
        // a second certificate under the same issuer and serial number, with
        // the key of somebody it would pass for.
        if (found &&
            !::CryptMsgControl(message_, 0, CMSG_CTRL_VERIFY_SIGNATURE, found->pCertInfo)) {
            ::CertFreeCertificateContext(found);
            return nullptr;
        }
        return found;
    }

  private:
    DWORD encoding_ = 0;
    HCERTSTORE store_ = nullptr;
    HCRYPTMSG message_ = nullptr;
};

// The key's algorithm, its parameters (an elliptic curve's name) and its
// bits: two certificates hold the same key exactly when these agree.
std::string PublicKeyOf(const CERT_PUBLIC_KEY_INFO& info) {
    std::string key = info.Algorithm.pszObjId ? info.Algorithm.pszObjId : "";
    key += '\0';
    key.append(reinterpret_cast<const char*>(info.Algorithm.Parameters.pbData),
               info.Algorithm.Parameters.cbData);
    key += '\0';
    key.append(reinterpret_cast<const char*>(info.PublicKey.pbData), info.PublicKey.cbData);
    return key;
}

// The whole subject name in one fixed form ("CN=..., O=..., C=..."), so that
// two certificates of one publisher compare equal and an organisation of the
// same common name elsewhere does not.
std::string SubjectOf(PCCERT_CONTEXT certificate) {
    CERT_NAME_BLOB* name = &certificate->pCertInfo->Subject;
    const DWORD type = CERT_X500_NAME_STR;
    const DWORD length = ::CertNameToStrW(certificate->dwCertEncodingType, name, type, nullptr, 0);
    if (length <= 1) return std::string();
    std::wstring text(length, L'\0');
    ::CertNameToStrW(certificate->dwCertEncodingType, name, type, text.data(), length);
    text.resize(length - 1);  // the count includes the terminating zero
    return Narrow(text);
}
}  // namespace

FileSignature Win32Signatures::Read(const std::string& path) {
    const std::wstring widePath = Widen(path);
    const LONG verdict = VerifyTrust(widePath);

    FileSignature signature;
    signature.systemResult = static_cast<uint32_t>(verdict);
    signature.trusted = verdict == 0;
    signature.state = verdict == 0 || OneOf(kChainOnlyVerdicts, verdict) ? SignatureState::Intact
                                                                         : SignatureState::Broken;

    // The signer is read even from a broken signature: an installed program
    // whose signature broke still names the publisher it came from.
    const EmbeddedSignature embedded(widePath);
    const ScopedCertificate certificate(embedded.SignerCertificate());
    if (certificate) {
        signature.publicKey = PublicKeyOf(certificate.Get()->pCertInfo->SubjectPublicKeyInfo);
        signature.subject = SubjectOf(certificate.Get());
    }
    if (signature.publicKey.empty()) {
        // No signer to be found: the file carries no signature, or one that
        // names nobody and so vouches for nothing.
        signature.state =
            OneOf(kNoSignatureVerdicts, verdict) ? SignatureState::None : SignatureState::Broken;
        signature.trusted = false;
    } else if (OneOf(kNoSignatureVerdicts, verdict)) {
        // The system saw no signature where a signer can be read: one it
        // cannot make sense of.
        signature.state = SignatureState::Broken;
    }
    return signature;
}

}  // namespace pellinor
