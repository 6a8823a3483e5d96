// The program's own reading of signatures: signed programs and detached
// signatures forged here byte by byte, each held to the image digest, the
// signed messageDigest and the screen of what the system is shown.
#include <gtest/gtest.h>

#include "commands/signatures/CheckedSignatures.h"
#include "commands/signatures/DerReader.h"
#include "commands/signatures/Sha256.h"
#include "commands/signatures/SignedData.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/ProgramBytes.h"

namespace pellinor {
namespace {

using S = SignatureState;
constexpr auto Der = &WriteDer;
std::string Oid(const char* bytes) {
    return Der(der::kObjectId, bytes);
}
const char* const kSha256 = "\x60\x86\x48\x01\x65\x03\x04\x02\x01";
const char* const kSha1 = "\x2B\x0E\x03\x02\x1A";

// A signer of the content whose digest is digest; no attributes when empty.
std::string Signer(const std::string& digest, const char* algorithm = kSha256) {
    const std::string attributes =
        digest.empty() ? ""
                       : Der(0xA0, Der(0x30, Oid("\x2A\x86\x48\x86\xF7\x0D\x01\x09\x04") +
                                                 Der(0x31, Der(der::kOctetString, digest))));
    return Der(0x30, Der(2, "\x01") + Der(0x30, "") + Der(0x30, Oid(algorithm)) + attributes +
                         Der(0x30, Oid("\x2A\x86\x48\x86\xF7\x0D\x01\x01\x01")) +
                         Der(der::kOctetString, "signature"));
}
std::string SignedData(const std::string& content, const std::string& signers) {
    const std::string type = content.empty() ? "\x2A\x86\x48\x86\xF7\x0D\x01\x07\x01"
                                             : "\x2B\x06\x01\x04\x01\x82\x37\x02\x01\x04";
    return Der(0x30, Oid("\x2A\x86\x48\x86\xF7\x0D\x01\x07\x02") +
                         Der(0xA0, Der(0x30, Der(2, "\x01") + Der(0x31, "") +
                                                 Der(0x30, Oid(type.c_str()) + content) +
                                                 Der(0x31, signers))));
}

// A program signed as a signing tool signs it, with what forge changes.
struct Forge {
    const char* imageAlgorithm = kSha256;
    bool wrongImage = false;
    bool wrongMessageDigest = false;
    uint16_t type = 2;
    uint16_t revision = 0x200;
    std::string inTable;  // after the DER, inside the table
    std::string afterTable;

    std::string Bytes() const {
        std::string file = ProgramBytes("the program's code");
        file[64 + 24 + 92] = 16;  // NumberOfRvaAndSizes
        file.resize((file.size() + 7) / 8 * 8, '\0');
        const size_t entry = 64 + 24 + 128;  // the checksum's 4 bytes at 152
        const std::string image = file.substr(0, 152) + file.substr(156, entry - 156) +
                                  file.substr(entry + 8) + (wrongImage ? "!" : "");
        const std::string indirect =
            Der(0x30, Oid("\x2B\x06\x01\x04\x01\x82\x37\x02\x01\x0F")) +
            Der(0x30, Der(0x30, Oid(imageAlgorithm)) + Der(der::kOctetString, Sha256Of(image)));
        const std::string digest = Sha256Of(indirect + (wrongMessageDigest ? "!" : ""));
        std::string der = SignedData(Der(0xA0, Der(0x30, indirect)), Signer(digest)) + inTable;
        der.resize((der.size() + 7) / 8 * 8, '\0');
        const auto le = [](uint32_t value, size_t width) {
            std::string bytes;
            for (size_t i = 0; i < width; ++i) bytes += char(value >> (8 * i));
            return bytes;
        };
        file.replace(entry, 8, le(uint32_t(file.size()), 4) + le(uint32_t(der.size() + 8), 4));
        return file + le(uint32_t(der.size() + 8), 4) + le(revision, 2) + le(type, 2) + der +
               afterTable;
    }
};

// The system: every signature intact, and what it was handed kept.
struct FakeSystem : SystemSignatures {
    FileSignature Intact(const std::string& what) {
        asked.push_back(what);
        FileSignature intact;
        intact.state = S::Intact;
        return intact;
    }
    FileSignature Read(const std::string& path) override { return Intact(path); }
    FileSignature ReadDetached(const std::string&, const std::string& der) override {
        return Intact(der);
    }
    std::optional<PublicKey> CertificateKey(const std::string&) override { return std::nullopt; }
    std::vector<std::string> asked;
};

struct Rig {
    Rig() { files.AddFolder("C:\\"); }
    FakeFileSystem files;
    FakeSystem system;
    CheckedSignatures checked{system, files};
};

TEST(CheckedSignatures, AProgramCountsAsSignedOnlyWhenItsOwnDigestsAgree) {
    const auto with = [](auto change) {
        Forge forge;
        return change(forge), forge.Bytes();
    };
    const struct {
        const char* what;
        std::string bytes;
        SignatureState state;
        bool systemAsked;
    } rows[] = {
        {"signed", Forge{}.Bytes(), S::Intact, true},
        {"image changed", with([](Forge& f) { f.wrongImage = true; }), S::Broken, true},
        {"signers transplanted", with([](Forge& f) { f.wrongMessageDigest = true; }), S::Broken,
         true},
        {"SHA-1 image digest", with([](Forge& f) { f.imageAlgorithm = kSha1; }), S::WeakDigest,
         true},
        {"an X.509 entry", with([](Forge& f) { f.type = 1; }), S::None, false},
        {"revision 1", with([](Forge& f) { f.revision = 0x100; }), S::None, false},
        {"bytes inside the table", with([](Forge& f) { f.inTable = std::string(9, 'x'); }), S::None,
         false},
        {"bytes after the table", with([](Forge& f) { f.afterTable = "x"; }), S::None, false},
        {"unsigned", ProgramBytes("code"), S::None, false},
    };
    for (const auto& row : rows) {
        Rig rig;
        rig.files.AddFile("C:\\p.exe", row.bytes);
        const FileSignature read = rig.checked.Read("C:\\p.exe");
        EXPECT_EQ(read.state, row.state) << row.what << " " << read.fault;
        EXPECT_EQ(rig.system.asked.size(), row.systemAsked ? 1u : 0u) << row.what;
    }
}

TEST(CheckedSignatures, EachDetachedSignerIsHeldToTheFilesDigest) {
    const std::string file = "Rar! the archive";
    const std::string digest = Sha256Of(file);
    const struct {
        const char* what;
        std::string signature;
        std::vector<SignatureState> states;
    } rows[] = {
        {"signed", SignedData("", Signer(digest)), {S::Intact}},
        {"another file's digest", SignedData("", Signer(Sha256Of("other"))), {S::Broken}},
        // Signing the file itself: only the system's verification shows it.
        {"no signed attributes", SignedData("", Signer("")), {S::Intact}},
        {"two signers",
         SignedData("", Signer(digest) + Signer(Sha256Of("x"))),
         {S::Intact, S::Broken}},
        {"SHA-1", SignedData("", Signer(digest, kSha1)), {S::WeakDigest}},
        {"BER's indefinite length",
         "\x30\x80" + SignedData("", Signer(digest)).substr(2),
         {S::None}},
        {"too large", std::string(kLargestDetachedSignatureBytes + 1, '0'), {S::None}},
    };
    for (const auto& row : rows) {
        Rig rig;
        rig.files.AddFile("C:\\a.rar", file);
        rig.files.AddFile("C:\\a.rar.p7s", row.signature);
        std::vector<SignatureState> states;
        for (const FileSignature& s : rig.checked.ReadDetached("C:\\a.rar", "C:\\a.rar.p7s"))
            states.push_back(s.state);
        // Each signer handed to the system alone; nothing screened out.
        SignedDataView view;
        for (const std::string& signature : rig.system.asked)
            EXPECT_TRUE(ReadSignedData(signature, view).state == S::Intact &&
                        view.signers.size() == 1)
                << row.what;
        EXPECT_EQ(rig.system.asked.size(), states[0] == S::None ? 0u : states.size()) << row.what;
        EXPECT_EQ(states, row.states) << row.what;
    }
}

}  // namespace
}  // namespace pellinor
