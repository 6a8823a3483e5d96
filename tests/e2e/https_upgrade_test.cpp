// The upgrade on the real Pellinor.exe from https addresses: Wine's SChannel
// and certificate chain check against a forwarder that presents a good
// chain, one from a CA nobody trusts, one for another name and an expired
// one (tests/e2e/tls-rig), each with its whole chain, then leaves sent
// alone and a server of TLS 1.3 only. Behind the forwarder
// the test's scripted server answers as over http. The old program stays
// unless the chain is good, and the box names why, with the system's number.
#include <chrono>
#include <iostream>

// clang-format off
#include "ProxyRig.h"
#include "TlsRig.h"
#include "UpgradeScenario.h"
// clang-format on

#include "http/TlsErrors.h"

namespace pellinor::e2e {
namespace {

class HttpsUpgradeTest : public UpgradeScenario {
  protected:
    void SetUp() override {
        UpgradeScenario::SetUp();
        ASSERT_TRUE(tls_.Running()) << "tls-rig did not start, or the test CA was not trusted";
    }

    // Runs the upgrade from base, answering every box; the outcome with
    // the promises checked.
    UpgradeOutcome UpgradeFrom(const std::string& folder, const std::string& base) {
        UiDriver& ui = StartWithBase(base);
        const UpgradeOutcome outcome = RunUpgrade(ui);
        std::cout << "[ outcome  ] " << outcome.Describe() << "\n";
        ExpectPromisesKept(folder, outcome);
        if (!outcome.ended) {
            ui.Click(Control::cmdExit);
            EXPECT_TRUE(ui.WaitForExit(5000));
        }
        return outcome;
    }
    // The E0059 box's message: the error, before the address and the file.
    static std::string Error(const UpgradeOutcome& outcome) {
        for (const DialogInfo& box : outcome.boxes) {
            if (box.caption == "E0059") return box.text.substr(0, box.text.find("\n\n"));
        }
        return std::string();
    }

    TlsRig tls_{server_.Port()};
};

TEST_F(HttpsUpgradeTest, OnlyAGoodChainForTheNameUpgrades) {
    const bool tls12 = SystemSpeaksTls12();
    const struct {
        Certificate certificate;
        uint32_t code;  // 0: upgraded
    } rows[] = {
        {Certificate::Good, 0},
        {Certificate::Untrusted, kCertUntrustedRoot},
        {Certificate::WrongName, kCertNameMismatch},
        {Certificate::Expired, kCertExpired},
        {Certificate::LeafOnly, kCertChaining},  // both passed by Wine's SSL policy;
        {Certificate::Impostor, kCertChaining},  // a partial chain to Wine's chain engine
        {Certificate::Tls13Only, 0x80090304},    // SEC_E_INTERNAL_ERROR under Wine, at once
    };
    const std::string folder = Install("Lock");
    ServeNewProgram();
    for (const auto& row : rows) {
        SCOPED_TRACE(tls_.Url(row.certificate, "/"));
        const UpgradeOutcome outcome = UpgradeFrom(folder, tls_.Url(row.certificate, "/V9/02/"));
        if (!tls12) {
            EXPECT_EQ(Error(outcome), InBothLanguages(TextId::TlsNeedsNewerWindows));
        } else if (row.code == 0) {
            EXPECT_EQ(outcome.Captions(), std::vector<std::string>{"N9082"});
            ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
        } else {
            EXPECT_EQ(Error(outcome),
                      TlsErrorText({static_cast<int>(row.code), boost::system::system_category()}));
        }
    }
    // Only the good chain's requests reached the server: the patch and the
    // compressed file (both missing), then the program.
    EXPECT_EQ(server_.Requests().size(), tls12 ? 3u : 0u);
}

TEST_F(HttpsUpgradeTest, NoRedirectToHttpAndADrippingRedirectEndsAtItsBound) {
    if (!SystemSpeaksTls12()) GTEST_SKIP() << "no TLS 1.2 on the Windows the prefix reports";
    const std::string folder = Install("Lock");
    const std::string program = LengthHead(std::to_string(newBytes_.size())) + newBytes_;
    // To the same server over http: refused, and never asked.
    Serve([this] {
        return ScriptedReply(
            HttpHead("HTTP/1.1 302 Found",
                     {"Location: " + server_.Url("/V9/02/Tessaron.Exe"), "Content-Length: 0"}));
    });
    UpgradeOutcome outcome = UpgradeFrom(folder, tls_.Url(Certificate::Good, "/V9/02/"));
    EXPECT_EQ(Error(outcome), InBothLanguages(TextId::TlsDowngradeRefused));
    EXPECT_EQ(server_.Requests().size(), 3u);

    // A redirect whose body drips a byte every 110 s is given up at its
    // bound inside TLS as outside, and followed.
    ScriptedReply drip(
        "HTTP/1.1 302 Found\r\nLocation: /elsewhere/Tessaron.Exe\r\nTransfer-Encoding: "
        "chunked\r\n\r\n");
    for (int i = 0; i < 3; ++i) drip.Then("1\r\nx\r\n", std::chrono::seconds(110));
    int requests = 0;
    Serve([&] { return requests++ == 0 ? drip : ScriptedReply(program); });
    const auto start = std::chrono::steady_clock::now();
    outcome = UpgradeFrom(folder, tls_.Url(Certificate::Good, "/V9/02/"));
    std::cout << "[ redirect ] followed; the upgrade took "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
              << " s\n";
    EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
    EXPECT_EQ(requests, 2);
}

TEST_F(HttpsUpgradeTest, ThroughTheProxysTunnel) {
    if (!SystemSpeaksTls12()) GTEST_SKIP() << "no TLS 1.2 on the Windows the prefix reports";
    Squid squid;
    ASSERT_TRUE(squid.Running()) << "squid-rig did not start squid";
    UserProxySettings settings(kProxyDirect | kProxyFixed, squid.Open(), "", "");
    const std::string folder = Install("Lock");
    ServeNewProgram();
    const UpgradeOutcome outcome = UpgradeFrom(folder, tls_.Url(Certificate::Good, "/V9/02/"));
    EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
    // squid saw the tunnel, and nothing of what went inside it.
    const std::vector<std::string> seen = squid.Seen("localhost:" + tls_.Port(Certificate::Good));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].find("CONNECT localhost:" + tls_.Port(Certificate::Good)), std::string::npos)
        << seen[0];
    EXPECT_TRUE(squid.Seen("Tessaron.Exe").empty());
}

}  // namespace
}  // namespace pellinor::e2e
