// The parts of a signed-data structure that the checks compare, read as DER.
#include "commands/signatures/SignedData.h"

#include "commands/signatures/DerReader.h"

namespace pellinor {

namespace {
using namespace std::string_view_literals;

// Object identifiers, as their DER value bytes.
constexpr std::string_view kSignedDataType = "\x2A\x86\x48\x86\xF7\x0D\x01\x07\x02"sv;
constexpr std::string_view kIndirectDataType = "\x2B\x06\x01\x04\x01\x82\x37\x02\x01\x04"sv;
constexpr std::string_view kPeImageData = "\x2B\x06\x01\x04\x01\x82\x37\x02\x01\x0F"sv;
constexpr std::string_view kMessageDigest = "\x2A\x86\x48\x86\xF7\x0D\x01\x09\x04"sv;
constexpr std::string_view kSha256 = "\x60\x86\x48\x01\x65\x03\x04\x02\x01"sv;
// SHA-1 alone, and the signature algorithms that hash with it: chosen-prefix
// collisions of SHA-1 can be made, so a signature over one proves nothing.
constexpr std::string_view kSha1Names[] = {
    "\x2B\x0E\x03\x02\x1A"sv,                  // sha1
    "\x2A\x86\x48\x86\xF7\x0D\x01\x01\x05"sv,  // sha1WithRSAEncryption
    "\x2B\x0E\x03\x02\x1D"sv,                  // sha1WithRSASignature (OIW)
    "\x2A\x86\x48\xCE\x3D\x04\x01"sv,          // ecdsa-with-SHA1
    "\x2A\x86\x48\xCE\x38\x04\x03"sv,          // dsa-with-sha1
};

OwnVerdict Fault(SignatureState state, const char* why) {
    return OwnVerdict{state, why};
}
OwnVerdict NotSigned(const char* why) {
    return Fault(SignatureState::None, why);
}

bool IsSha1(std::string_view algorithm) {
    for (std::string_view name : kSha1Names) {
        if (algorithm == name) return true;
    }
    return false;
}

// The object identifier of an AlgorithmIdentifier (its parameters skipped).
bool ReadAlgorithm(DerReader& reader, std::string_view& algorithm) {
    DerElement sequence, id;
    if (!reader.Next(der::kSequence, sequence)) return false;
    DerReader inside(sequence.value);
    if (!inside.Next(der::kObjectId, id)) return false;
    algorithm = id.value;
    return true;
}

// The messageDigest values among signed attributes (a SET of SEQUENCEs of
// an identifier and a SET of values).
bool ReadAttributes(std::string_view attributes, SignerView& signer) {
    DerReader reader(attributes);
    DerElement attribute;
    while (!reader.AtEnd()) {
        DerElement type, values, value;
        if (!reader.Next(der::kSequence, attribute)) return false;
        DerReader parts(attribute.value);
        if (!parts.Next(der::kObjectId, type) || !parts.Next(der::kSet, values) || !parts.AtEnd())
            return false;
        if (type.value != kMessageDigest) continue;
        DerReader each(values.value);
        while (!each.AtEnd()) {
            if (!each.Next(der::kOctetString, value)) return false;
            signer.messageDigests.push_back(value.value);
        }
    }
    return true;
}

bool ReadSigner(std::string_view bytes, SignerView& signer) {
    DerReader reader(bytes);
    DerElement version, identifier, attributes, signature;
    if (!reader.Next(der::kInteger, version) || !reader.Next(identifier)) return false;
    if (!ReadAlgorithm(reader, signer.digestAlgorithm)) return false;
    if (reader.Next(der::Context(0), attributes)) {
        signer.signedAttributes = true;
        if (!ReadAttributes(attributes.value, signer)) return false;
    }
    return ReadAlgorithm(reader, signer.signatureAlgorithm) &&
           reader.Next(der::kOctetString, signature);
}
}  // namespace

OwnVerdict ReadSignedData(std::string_view bytes, SignedDataView& view) {
    view = SignedDataView{};
    DerElement info, type, explicitData, data, version, algorithms, encapsulated, skipped, signers;
    if (!ReadOnly(bytes, der::kSequence, info)) return NotSigned("no DER signature");
    DerReader outer(info.value);
    if (!outer.Next(der::kObjectId, type) || type.value != kSignedDataType ||
        !outer.Next(der::Context(0), explicitData) || !outer.AtEnd() ||
        !ReadOnly(explicitData.value, der::kSequence, data))
        return NotSigned("not signed data");

    DerReader reader(data.value);
    if (!reader.Next(der::kInteger, version) || !reader.Next(der::kSet, algorithms) ||
        !reader.Next(der::kSequence, encapsulated))
        return NotSigned("signed data unreadable");
    DerReader content(encapsulated.value);
    DerElement contentType, explicitContent, inner;
    if (!content.Next(der::kObjectId, contentType)) return NotSigned("no content type");
    view.contentType = contentType.value;
    if (content.Next(der::Context(0), explicitContent)) {
        DerReader only(explicitContent.value);
        if (!only.Next(inner) || !only.AtEnd()) return NotSigned("content unreadable");
        view.content = inner.whole;
    }
    if (!content.AtEnd()) return NotSigned("content unreadable");
    reader.Next(der::Context(0), skipped);  // certificates: the system reads them
    reader.Next(der::Context(1), skipped);  // revocation lists
    const std::string_view rest = data.value;
    if (!reader.Next(der::kSet, signers) || !reader.AtEnd())
        return NotSigned("signer list unreadable");
    view.beforeSigners = rest.substr(0, rest.size() - signers.whole.size());

    DerReader each(signers.value);
    DerElement signer;
    while (!each.AtEnd()) {
        if (view.signers.size() == kMostSigners) return NotSigned("too many signers");
        view.signers.emplace_back();
        if (!each.Next(der::kSequence, signer) || !ReadSigner(signer.value, view.signers.back()))
            return NotSigned("signer unreadable");
        view.signers.back().whole = signer.whole;
    }
    if (view.signers.empty()) return NotSigned("no signer");
    return OwnVerdict{};
}

std::string WithOneSigner(const SignedDataView& view, size_t index) {
    const std::string data =
        std::string(view.beforeSigners) + WriteDer(der::kSet, view.signers.at(index).whole);
    return WriteDer(der::kSequence, WriteDer(der::kObjectId, kSignedDataType) +
                                        WriteDer(der::Context(0), WriteDer(der::kSequence, data)));
}

OwnVerdict ReadIndirectData(const SignedDataView& view, IndirectData& data) {
    DerElement indirect, spcData, spcType, digestInfo, digest;
    if (view.contentType != kIndirectDataType || !ReadOnly(view.content, der::kSequence, indirect))
        return NotSigned("not a program's signature");
    data.signedBytes = indirect.value;
    DerReader reader(indirect.value);
    if (!reader.Next(der::kSequence, spcData) || !reader.Next(der::kSequence, digestInfo) ||
        !reader.AtEnd())
        return NotSigned("program digest unreadable");
    DerReader type(spcData.value);
    if (!type.Next(der::kObjectId, spcType) || spcType.value != kPeImageData)
        return NotSigned("not a program image's signature");
    DerReader parts(digestInfo.value);
    if (!ReadAlgorithm(parts, data.digestAlgorithm) || !parts.Next(der::kOctetString, digest) ||
        !parts.AtEnd())
        return NotSigned("program digest unreadable");
    data.imageDigest = digest.value;
    return OwnVerdict{};
}

OwnVerdict DigestStrength(std::string_view algorithm) {
    if (algorithm == kSha256) return OwnVerdict{};
    if (IsSha1(algorithm)) return Fault(SignatureState::WeakDigest, "SHA-1 digest");
    return NotSigned("digest algorithm not SHA-256");
}

OwnVerdict CheckSigner(const SignerView& signer, const std::string& contentDigest,
                       bool withoutAttributes) {
    const OwnVerdict strength = DigestStrength(signer.digestAlgorithm);
    if (strength.state != SignatureState::Intact) return strength;
    if (IsSha1(signer.signatureAlgorithm)) return Fault(SignatureState::WeakDigest, "SHA-1 digest");
    if (!signer.signedAttributes) {
        return withoutAttributes ? OwnVerdict{} : NotSigned("no signed attributes");
    }
    if (signer.messageDigests.size() != 1)
        return Fault(SignatureState::Broken, "not one signed messageDigest");
    if (signer.messageDigests[0] != contentDigest)
        return Fault(SignatureState::Broken, "signed messageDigest is not the content's");
    return OwnVerdict{};
}

}  // namespace pellinor
