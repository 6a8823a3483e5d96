// The fault tests' server side: one upgrade of the real Pellinor.exe
// against a server that answers with a scripted reply, and what the user
// must then see. Shared by the tests of broken and of hostile servers.
#pragma once

#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "UpgradeScenario.h"

namespace pellinor::e2e {

inline std::string Hex(size_t n) {
    static const char kDigits[] = "0123456789abcdef";
    std::string s;
    do {
        s.insert(s.begin(), kDigits[n % 16]);
        n /= 16;
    } while (n > 0);
    return s;
}

// body as chunks of at most size bytes, without the terminating chunk.
inline std::string Chunks(const std::string& body, size_t size) {
    std::string framed;
    for (size_t at = 0; at < body.size(); at += size) {
        const std::string piece = body.substr(at, size);
        framed += Hex(piece.size()) + "\r\n" + piece + "\r\n";
    }
    return framed;
}

inline const std::string kChunkedHead = HttpHead("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"});

class ServerFaults : public UpgradeScenario {
  protected:
    // One upgrade against a server that answers every request with reply().
    // firstBoxWaitMs: how long the first box after the confirmation may take.
    UpgradeOutcome UpgradeAgainst(const std::string& folder, std::function<ScriptedReply()> reply,
                                  uint32_t firstBoxWaitMs = kFirstBoxWaitMs) {
        Serve(std::move(reply));
        UiDriver& ui = Start();
        UpgradeOutcome outcome = RunUpgrade(ui, firstBoxWaitMs);
        std::cout << "[ outcome  ] " << outcome.Describe() << "\n";
        ExpectPromisesKept(folder, outcome);
        if (!outcome.ended) {
            // Every failure here ends in the notice, which gives Exit back.
            EXPECT_TRUE(OnlyExitEnabled(ui));
            ui.Click(Control::cmdExit);
            EXPECT_TRUE(ui.WaitForExit(5000));
        }
        // The reply may refer to the caller's locals, which go before the server.
        server_.SetHandler(nullptr);
        return outcome;
    }

    // The failure notice of a download that ended without an error raised.
    static void ExpectQuietFailure(const UpgradeOutcome& outcome) {
        ASSERT_EQ(outcome.boxes.size(), 1u) << outcome.Describe();
        EXPECT_EQ(outcome.boxes[0].caption, "Pellinor");
        EXPECT_EQ(outcome.boxes[0].text, "System Error E0056, -1");
        EXPECT_FALSE(outcome.ended);
    }

    // The download's error box with message, then the notice with -59.
    void ExpectRaisedFailure(const UpgradeOutcome& outcome, const std::string& folder,
                             const std::string& message) {
        ASSERT_EQ(outcome.Captions(), (std::vector<std::string>{"E0059", "Pellinor"}))
            << outcome.Describe();
        EXPECT_EQ(outcome.boxes[0].text, message + "\n\n" + server_.Url("/V9/02/Tessaron.Exe") +
                                             "\n" + folder + "TessaronEng.tmp");
        EXPECT_EQ(outcome.boxes[1].text, "System Error E0056, -59");
    }
};

}  // namespace pellinor::e2e
