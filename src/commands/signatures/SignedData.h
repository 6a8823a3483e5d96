// A PKCS #7 / CMS signature read as this program checks it, embedded in a
// program (Authenticode) or beside a file (detached): what its content says,
// and for each signer the digest it signed. The system verifies the signers'
// signatures; the digests they sign are compared here, on the bytes, the
// same way for both kinds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Signatures.h"

namespace pellinor {

// The most signers a signature may have: a publisher signs once, or twice
// while it moves to a new key.
constexpr size_t kMostSigners = 8;

struct SignerView {
    std::string_view whole;               // the SignerInfo's element
    std::string_view digestAlgorithm;     // the object identifier's bytes
    std::string_view signatureAlgorithm;  // the same
    bool signedAttributes = false;
    // Every value of every messageDigest attribute; a sound signer has one.
    std::vector<std::string_view> messageDigests;
};

struct SignedDataView {
    std::string_view contentType;  // the object identifier's bytes
    // The SignedData's parts before its signers (version, algorithms,
    // content, certificates), as written.
    std::string_view beforeSigners;
    // The content's element inside [0] (an Authenticode signature's
    // SpcIndirectDataContent); empty when the content is detached.
    std::string_view content;
    std::vector<SignerView> signers;
};

// The program's own verdict on a signature before the system sees it; the
// state Intact means only that nothing was found against it.
struct OwnVerdict {
    SignatureState state = SignatureState::Intact;
    std::string fault;  // why not Intact, as the log says it
};

// Reads a ContentInfo of signed data that fills der exactly; a fault when
// it is none.
OwnVerdict ReadSignedData(std::string_view der, SignedDataView& view);

// The signature as it would be with signer index alone: what the system
// is handed, one signer at a time.
std::string WithOneSigner(const SignedDataView& view, size_t index);

// What an Authenticode signature's content (SpcIndirectDataContent) says:
// the image digest and its algorithm, and the bytes its signers' digest
// covers (the element's value, without its tag and length).
struct IndirectData {
    std::string_view digestAlgorithm;
    std::string_view imageDigest;
    std::string_view signedBytes;
};
OwnVerdict ReadIndirectData(const SignedDataView& view, IndirectData& data);

// Whether algorithm (an object identifier's bytes) names a digest the
// checks may rely on: SHA-256; SHA-1 is WeakDigest, anything else None.
OwnVerdict DigestStrength(std::string_view algorithm);

// One signer held to the content whose SHA-256 is contentDigest: its
// digests strong enough, and the messageDigest it signed that content's.
// A signer without signed attributes signs the content itself, which only
// the system's verification can show; withoutAttributes says whether that
// is allowed here.
OwnVerdict CheckSigner(const SignerView& signer, const std::string& contentDigest,
                       bool withoutAttributes);

}  // namespace pellinor
