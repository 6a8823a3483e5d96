// The system's own proxy functions under Wine, as the program calls them:
// the settings written in the user's Internet Options come back through
// WinHttpGetIEProxyConfigForCurrentUser, and a configuration script served
// on 127.0.0.1 is fetched and run by WinHttpGetProxyForUrl.
#include "Fixture.h"
#include "ProxyRig.h"
#include "platform/win32/Win32ProxyConfig.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/ProxyChoice.h"

namespace pellinor::e2e {
namespace {

class ProxySettingsOnWine : public WineTest {};

TEST_F(ProxySettingsOnWine, FixedProxyAndBypassListComeBackAsWritten) {
    UserProxySettings written(kProxyDirect | kProxyFixed, "http=127.0.0.1:3128;https=h:1",
                              "<local>;*.hotel", "");
    Win32ProxyConfig config;
    const ProxySettings settings = config.UserSettings();
    EXPECT_FALSE(settings.autoDetect);
    EXPECT_EQ(settings.proxyServer, "http=127.0.0.1:3128;https=h:1");
    EXPECT_EQ(settings.proxyBypass, "<local>;*.hotel");
    EXPECT_EQ(settings.autoConfigUrl, "");
    EXPECT_EQ(ChooseProxy(config, ParseHttpUrl("http://dl.example/a")).Text(), "127.0.0.1:3128");
    EXPECT_EQ(ChooseProxy(config, ParseHttpUrl("http://a.hotel/a")).Text(), "direct");
}

TEST_F(ProxySettingsOnWine, ScriptDecidesPerAddressAndAFailingOneGoesDirect) {
    ScriptedHttpServer server;
    const std::string script =
        "function FindProxyForURL(url, host) {\n"
        "  if (shExpMatch(url, \"*/direct/*\")) return \"DIRECT\";\n"
        "  return \"PROXY 127.0.0.1:3128; DIRECT\";\n"
        "}\n";
    server.SetHandler([&](const std::string& request) {
        if (RequestTarget(request) != "/proxy.pac") {
            return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
        }
        return ScriptedReply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Type: application/x-ns-proxy-autoconfig",
                                         "Content-Length: " + std::to_string(script.size())}) +
            script);
    });
    {
        UserProxySettings written(kProxyDirect | kProxyScript, "", "", server.Url("/proxy.pac"));
        Win32ProxyConfig config;
        EXPECT_EQ(config.UserSettings().autoConfigUrl, server.Url("/proxy.pac"));
        EXPECT_EQ(ChooseProxy(config, ParseHttpUrl("http://dl.example/V9/a")).Text(),
                  "127.0.0.1:3128");
        EXPECT_EQ(ChooseProxy(config, ParseHttpUrl("http://dl.example/direct/a")).Text(), "direct");
    }
    {
        UserProxySettings written(kProxyDirect | kProxyScript, "", "", server.Url("/none.pac"));
        Win32ProxyConfig config;
        EXPECT_EQ(ChooseProxy(config, ParseHttpUrl("http://dl.example/V9/a")).Text(), "direct");
    }
}

}  // namespace
}  // namespace pellinor::e2e
