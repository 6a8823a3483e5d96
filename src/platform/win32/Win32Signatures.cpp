// File signatures: the system's trust verdict on a file's embedded signature
// (WinVerifyTrust) and its signing certificate read from that signature
// (CryptQueryObject, the signer's issuer and serial number, the certificate
// they name in the signature's own store); a detached signature checked over
// a file's bytes, one signer at a time (CryptVerifyDetachedMessageSignature:
// under Wine it refuses the file under a signature of two signers with
// 0x57); a certificate file's key (CryptQueryObject). What the system is
// handed here was screened first (commands/signatures/CheckedSignatures), which also
// compares the signed digests with the bytes.
#include "platform/win32/Win32Signatures.h"

// clang-format off
#include <windows.h>
#include <wincrypt.h>
#include <softpub.h>
#include <wintrust.h>
// clang-format on

#include <cstdint>
#include <optional>
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
                           CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding_, nullptr, nullptr,
                           store_.Out(), message_.Out(), nullptr);
    }

    // The certificate of the first signer (the one the trust verdict is
    // about), or nullptr; the caller frees it.
    PCCERT_CONTEXT SignerCertificate() const {
        if (!message_ || !store_) return nullptr;
        DWORD size = 0;
        if (!::CryptMsgGetParam(message_.Get(), CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) ||
            size < sizeof(CMSG_SIGNER_INFO))
            return nullptr;
        std::vector<BYTE> buffer(size);
        if (!::CryptMsgGetParam(message_.Get(), CMSG_SIGNER_INFO_PARAM, 0, buffer.data(), &size) ||
            size < sizeof(CMSG_SIGNER_INFO))
            return nullptr;
        const auto* signer = reinterpret_cast<const CMSG_SIGNER_INFO*>(buffer.data());
        CERT_INFO wanted{};
        wanted.Issuer = signer->Issuer;
        wanted.SerialNumber = signer->SerialNumber;
        ScopedCertificate found(::CertFindCertificateInStore(
            store_.Get(), encoding_, 0, CERT_FIND_SUBJECT_CERT, &wanted, nullptr));
        // The certificate found by issuer and serial number is the signer's
        // only if the signature verifies with its key: a signature can carry
        // a second certificate under the same issuer and serial number, with
        // the key of somebody it would pass for.
        if (!found || !::CryptMsgControl(message_.Get(), 0, CMSG_CTRL_VERIFY_SIGNATURE,
                                         found.Get()->pCertInfo))
            return nullptr;
        return found.Release();
    }

  private:
    DWORD encoding_ = 0;
    ScopedCertificateStore store_;
    ScopedCryptMessage message_;
};

// The key as a certificate holds it, SubjectPublicKeyInfo in DER: its
// algorithm, the algorithm's parameters (an elliptic curve's name) and its
// bits. Two certificates hold the same key exactly when these bytes agree.
std::string PublicKeyOf(const CERT_PUBLIC_KEY_INFO& info) {
    CERT_PUBLIC_KEY_INFO copy = info;
    DWORD size = 0;
    if (!::CryptEncodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, &copy, 0, nullptr, nullptr,
                               &size))
        return std::string();
    std::string der(size, '\0');
    if (!::CryptEncodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, &copy, 0, nullptr,
                               der.data(), &size))
        return std::string();
    der.resize(size);
    return der;
}

// The SHA-256 of a key's bytes in lower-case hex, as the log names keys;
// empty where the system has no SHA-256 (it names the key, it decides
// nothing).
std::string Sha256Hex(const std::string& bytes) {
    BYTE hash[32];
    DWORD size = sizeof hash;
    if (!::CryptHashCertificate(0, CALG_SHA_256, 0, reinterpret_cast<const BYTE*>(bytes.data()),
                                static_cast<DWORD>(bytes.size()), hash, &size) ||
        size != sizeof hash)
        return std::string();
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (BYTE b : hash) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

// The most of a file that a detached signature is checked over: the system
// wants it in memory at once, and a 32-bit process should not give it more
// than this. The SDK's archive is a few megabytes.
constexpr DWORD kLargestDetachedSignedBytes = 256 * 1024 * 1024;

// The file's bytes, or nothing when it cannot be read or is larger than
// limit.
std::optional<std::string> ReadUpTo(const std::wstring& path, DWORD limit) {
    ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > limit) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size()) - done, &got,
                        nullptr) ||
            got == 0)
            return std::nullopt;
        done += got;
    }
    return bytes;
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
// The signer's key and name, written into what is known of a signature.
void TakeSigner(PCCERT_CONTEXT certificate, FileSignature& signature) {
    signature.publicKey = PublicKeyOf(certificate->pCertInfo->SubjectPublicKeyInfo);
    signature.publicKeySha256 = Sha256Hex(signature.publicKey);
    signature.subject = SubjectOf(certificate);
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
    if (certificate) TakeSigner(certificate.Get(), signature);
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

FileSignature Win32Signatures::ReadDetached(const std::string& path, const std::string& detached) {
    FileSignature signature;
    signature.state = SignatureState::Broken;
    const std::optional<std::string> bytes = ReadUpTo(Widen(path), kLargestDetachedSignedBytes);
    if (!bytes) {
        signature.systemResult = static_cast<uint32_t>(HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE));
        return signature;
    }
    CRYPT_VERIFY_MESSAGE_PARA para{};
    para.cbSize = sizeof para;
    para.dwMsgAndCertEncodingType = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
    // The signer's certificate is the one the signature carries: the
    // publisher's key decides, not a store of this PC.
    const BYTE* pieces[] = {reinterpret_cast<const BYTE*>(bytes->data())};
    DWORD sizes[] = {static_cast<DWORD>(bytes->size())};
    PCCERT_CONTEXT signer = nullptr;
    const BOOL holds = ::CryptVerifyDetachedMessageSignature(
        &para, 0, reinterpret_cast<const BYTE*>(detached.data()),
        static_cast<DWORD>(detached.size()), 1, pieces, sizes, &signer);
    signature.systemResult = holds ? 0 : static_cast<uint32_t>(::GetLastError());
    const ScopedCertificate certificate(signer);
    if (holds && certificate) {
        signature.state = SignatureState::Intact;
        TakeSigner(certificate.Get(), signature);
    }
    return signature;
}

std::optional<PublicKey> Win32Signatures::CertificateKey(const std::string& path) {
    const void* found = nullptr;
    if (!::CryptQueryObject(CERT_QUERY_OBJECT_FILE, Widen(path).c_str(),
                            CERT_QUERY_CONTENT_FLAG_CERT, CERT_QUERY_FORMAT_FLAG_ALL, 0, nullptr,
                            nullptr, nullptr, nullptr, nullptr, &found))
        return std::nullopt;
    const ScopedCertificate certificate(static_cast<PCCERT_CONTEXT>(found));
    PublicKey key;
    key.info = PublicKeyOf(certificate.Get()->pCertInfo->SubjectPublicKeyInfo);
    key.sha256 = Sha256Hex(key.info);
    if (key.info.empty()) return std::nullopt;
    return key;
}

}  // namespace pellinor
