// The proxy decision: the user's settings and the automatic configuration's
// answers in, a proxy or a direct connection out, for one address.
#include <gtest/gtest.h>

#include "transfer/HttpUrl.h"
#include "transfer/ProxyChoice.h"

namespace pellinor {
namespace {

// Settings and the answers of detection and of the script, as the system
// would give them; nullptr for a method that fails.
class FakeProxyConfig : public ProxyConfig {
  public:
    ProxySettings settings;
    const char* detected = nullptr;
    const char* scripted = nullptr;
    std::string askedScript;
    int asked = 0;

    ProxySettings UserSettings() override { return settings; }
    bool AutomaticProxy(const std::string&, bool detect, const std::string& scriptUrl,
                        std::string& proxy, const std::function<void()>&) override {
        ++asked;
        if (!detect) askedScript = scriptUrl;
        const char* answer = detect ? detected : scripted;
        if (answer == nullptr) return false;
        proxy = answer;
        return true;
    }
};

struct Row {
    const char* what;
    bool autoDetect;
    const char* script;  // AutoConfigURL
    const char* server;  // ProxyServer
    const char* bypass;  // ProxyOverride
    const char* detected;
    const char* scripted;
    const char* url;
    const char* expected;  // ProxyEndpoint::Text()
};

const Row kRows[] = {
    {"nothing set", false, "", "", "", nullptr, nullptr, "http://dl.example/a.exe", "direct"},
    {"fixed proxy for every scheme", false, "", "10.0.0.1:3128", "", nullptr, nullptr,
     "http://dl.example/a.exe", "10.0.0.1:3128"},
    {"fixed proxy without a port", false, "", "proxy.hotel", "", nullptr, nullptr,
     "http://dl.example/", "proxy.hotel:80"},
    {"fixed proxy written as an address", false, "", "http://proxy.hotel:8080/", "", nullptr,
     nullptr, "http://dl.example/", "proxy.hotel:8080"},
    {"per scheme: the http entry", false, "", "https=s.hotel:443;http=h.hotel:3128;ftp=f:21", "",
     nullptr, nullptr, "http://dl.example/", "h.hotel:3128"},
    {"per scheme without an http entry", false, "", "https=s.hotel:443;socks=k:1080", "", nullptr,
     nullptr, "http://dl.example/", "direct"},
    {"a SOCKS-only proxy is no proxy here", false, "", "socks://k.hotel:1080", "", nullptr, nullptr,
     "http://dl.example/", "direct"},
    {"a port beyond 65535 names no proxy", false, "", "p.hotel:65536", "", nullptr, nullptr,
     "http://dl.example/", "direct"},
    {"the highest port", false, "", "p.hotel:65535", "", nullptr, nullptr, "http://dl.example/",
     "p.hotel:65535"},
    {"a sign-in written before the host is never kept", false, "", "alice:s3cret@p.hotel:3128", "",
     nullptr, nullptr, "http://dl.example/", "p.hotel:3128"},
    {"IPv6 proxy", false, "", "[::1]:3128", "", nullptr, nullptr, "http://dl.example/",
     "[::1]:3128"},
    {"<local>: a name without a dot", false, "", "p:3128", "<local>", nullptr, nullptr,
     "http://fileserver/a.exe", "direct"},
    {"<local>: a dotted name still goes through", false, "", "p:3128", "<local>", nullptr, nullptr,
     "http://dl.example/a.exe", "p:3128"},
    {"<local>: an IP address has dots", false, "", "p:3128", "<LOCAL>", nullptr, nullptr,
     "http://127.0.0.1:47652/a.exe", "p:3128"},
    {"wildcard domain, any case", false, "", "p:3128", "*.Example.COM", nullptr, nullptr,
     "http://dl.example.com/", "direct"},
    {"wildcard domain does not take the bare name", false, "", "p:3128", "*.example.com", nullptr,
     nullptr, "http://example.com/", "p:3128"},
    {"address prefix", false, "", "p:3128", "10.1.*;192.168.*", nullptr, nullptr,
     "http://192.168.4.2/", "direct"},
    {"exact host among several, blanks between", false, "", "p:3128", "a.hotel  ; dl.example",
     nullptr, nullptr, "http://dl.example/", "direct"},
    {"'?' stands for one byte", false, "", "p:3128", "dl?.example", nullptr, nullptr,
     "http://dl2.example/", "direct"},
    {"entry with a port: another port goes through", false, "", "p:3128", "dl.example:8080",
     nullptr, nullptr, "http://dl.example/", "p:3128"},
    {"entry with a port: that port is bypassed", false, "", "p:3128", "dl.example:8080", nullptr,
     nullptr, "http://dl.example:8080/", "direct"},
    {"entry with a scheme: another scheme goes through", false, "", "p:3128", "https://dl.example",
     nullptr, nullptr, "http://dl.example/", "p:3128"},
    {"entry with the scheme", false, "", "p:3128", "http://dl.example", nullptr, nullptr,
     "http://dl.example/", "direct"},
    {"loopback only when listed", false, "", "p:3128", "", nullptr, nullptr, "http://localhost/",
     "p:3128"},
    {"script answers a proxy", false, "http://wpad.hotel/proxy.pac", "", "", nullptr,
     "s.hotel:3128", "http://dl.example/", "s.hotel:3128"},
    {"script answers a list: the first", false, "http://wpad.hotel/proxy.pac", "", "", nullptr,
     "s1.hotel:3128; s2.hotel:3128", "http://dl.example/", "s1.hotel:3128"},
    {"script answers direct", false, "http://wpad.hotel/proxy.pac", "p:3128", "", nullptr, "",
     "http://dl.example/", "direct"},
    {"script fails, nothing else set: direct", false, "http://wpad.hotel/proxy.pac", "", "",
     nullptr, nullptr, "http://dl.example/", "direct"},
    {"script fails: the fixed proxy", false, "http://wpad.hotel/proxy.pac", "p:3128", "", nullptr,
     nullptr, "http://dl.example/", "p:3128"},
    {"script fails: the fixed proxy's bypass list holds", false, "http://wpad.hotel/proxy.pac",
     "p:3128", "*.example", nullptr, nullptr, "http://dl.example/", "direct"},
    {"script's answer ignores the bypass list", false, "http://wpad.hotel/proxy.pac", "p:3128",
     "*.example", nullptr, "s.hotel:3128", "http://dl.example/", "s.hotel:3128"},
    {"detection first", true, "http://wpad.hotel/proxy.pac", "p:3128", "", "d.hotel:8080",
     "s.hotel:3128", "http://dl.example/", "d.hotel:8080"},
    {"detection fails: the script", true, "http://wpad.hotel/proxy.pac", "p:3128", "", nullptr,
     "s.hotel:3128", "http://dl.example/", "s.hotel:3128"},
    {"detection fails, no script: the fixed proxy", true, "", "p:3128", "", nullptr, nullptr,
     "http://dl.example/", "p:3128"},
    {"detection fails, nothing else: direct", true, "", "", "", nullptr, nullptr,
     "http://dl.example/", "direct"},
};

TEST(ChooseProxy, SettingsToProxyOrDirect) {
    for (const Row& row : kRows) {
        FakeProxyConfig config;
        config.settings = {row.autoDetect, row.script, row.server, row.bypass};
        config.detected = row.detected;
        config.scripted = row.scripted;
        EXPECT_EQ(ChooseProxy(config, ParseHttpUrl(row.url)).Text(), row.expected) << row.what;
        if (row.script[0] != '\0' && !(row.autoDetect && row.detected != nullptr)) {
            EXPECT_EQ(config.askedScript, row.script) << row.what;
        }
    }
}

// A method that gave no answer for a host is not asked again for it in the
// run (each may take half a minute); one that answered is asked each time.
TEST(ChooseProxy, AMethodThatFailedForAHostIsNotAskedAgainForIt) {
    const char* urls[] = {"http://a.example/1", "http://a.example/2", "http://A.EXAMPLE/3",
                          "http://b.example/1"};
    const struct {
        const char* what;
        bool autoDetect;
        const char* scripted;
        int asked;
        const char* expected;
    } rows[] = {
        {"the script fails: once per host", false, nullptr, 2, "p:3128"},
        {"the script answers: every time", false, "s.hotel:3128", 4, "s.hotel:3128"},
        {"detection and the script fail: each once per host", true, nullptr, 4, "p:3128"},
    };
    for (const auto& row : rows) {
        FakeProxyConfig config;
        config.settings = {row.autoDetect, "http://wpad.hotel/proxy.pac", "p:3128", ""};
        config.scripted = row.scripted;
        ProxyFailures failures;
        for (const char* url : urls) {
            EXPECT_EQ(ChooseProxy(config, ParseHttpUrl(url), {}, &failures).Text(), row.expected)
                << row.what << " " << url;
        }
        EXPECT_EQ(config.asked, row.asked) << row.what;
    }
}

}  // namespace
}  // namespace pellinor
