// The proxy decision for one address, from the user's settings.
#include "transfer/ProxyChoice.h"

#include <memory>
#include <utility>
#include <vector>

#include "text/TextRules.h"
#include "transfer/HttpClient.h"

namespace pellinor {
namespace {

constexpr const char* kDefaultProxyPort = "80";
// The highest TCP port: a setting that names a larger one names no proxy.
constexpr long kMaxPort = 65535;

bool IsPort(const std::string& text) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const long port = std::stol(text);
    return port >= 1 && port <= kMaxPort;
}

// The entries of a list separated by ";" or white space, empty ones left out.
std::vector<std::string> Entries(const std::string& list) {
    std::vector<std::string> entries;
    std::string current;
    for (char c : list) {
        if (c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!current.empty()) entries.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) entries.push_back(current);
    return entries;
}

// Splits "host:port", "[v6]:port", "host" or "[v6]" into its two parts; the
// port is empty when none is written. The brackets stay on the host.
void SplitHostPort(const std::string& text, std::string& host, std::string& port) {
    const size_t close = text.rfind(']');
    const size_t colon = text.rfind(':');
    const bool hasPort =
        colon != std::string::npos && (close == std::string::npos || colon > close);
    host = hasPort ? text.substr(0, colon) : text;
    port = hasPort ? text.substr(colon + 1) : std::string();
}

bool EntryMatches(std::string entry, const HttpUrl& url) {
    if (SameTextAscii(entry, "<local>")) return url.host.find('.') == std::string::npos;
    const size_t scheme = entry.find("://");
    if (scheme != std::string::npos) {
        if (!SameTextAscii(entry.substr(0, scheme), url.protocol)) return false;
        entry.erase(0, scheme + 3);
    }
    std::string host, port;
    SplitHostPort(entry, host, port);
    if (!port.empty() && port != url.PortOrDefault()) return false;
    return !host.empty() && WildcardMatch(host, url.host);
}

}  // namespace

std::string ProxyEndpoint::Text() const {
    return Direct() ? std::string("direct") : host + ":" + port;
}

ProxyEndpoint ParseProxyAddress(const std::string& text) {
    std::string rest = Trim(text);
    const size_t scheme = rest.find("://");
    if (scheme != std::string::npos) {
        // Only a proxy spoken to in plain HTTP is one this client can use.
        if (!SameTextAscii(rest.substr(0, scheme), "http")) return {};
        rest.erase(0, scheme + 3);
    }
    const size_t slash = rest.find('/');
    if (slash != std::string::npos) rest.erase(slash);
    // A sign-in is asked for when the proxy wants one (407); one written
    // into the address is never used, so it is never kept to be shown.
    const size_t at = rest.rfind('@');
    if (at != std::string::npos) rest.erase(0, at + 1);
    ProxyEndpoint proxy;
    SplitHostPort(rest, proxy.host, proxy.port);
    if (proxy.port.empty()) proxy.port = kDefaultProxyPort;
    if (proxy.host.empty() || !IsPort(proxy.port)) return {};
    return proxy;
}

ProxyEndpoint ProxyForScheme(const std::string& proxyServer, const std::string& scheme) {
    ProxyEndpoint general;
    bool haveGeneral = false;
    for (const std::string& entry : Entries(proxyServer)) {
        const size_t equals = entry.find('=');
        if (equals == std::string::npos) {
            if (!haveGeneral) general = ParseProxyAddress(entry);
            haveGeneral = true;
        } else if (SameTextAscii(entry.substr(0, equals), scheme)) {
            return ParseProxyAddress(entry.substr(equals + 1));
        }
    }
    return general;
}

bool IsBypassed(const std::string& bypassList, const HttpUrl& url) {
    for (const std::string& entry : Entries(bypassList)) {
        if (EntryMatches(entry, url)) return true;
    }
    return false;
}

ProxyEndpoint ChooseProxy(ProxyConfig& config, const HttpUrl& url,
                          const std::function<void()>& waiting, ProxyFailures* failures) {
    const ProxySettings settings = config.UserSettings();
    const std::string address = url.Text();
    const std::string host = LowerAscii(url.host);
    std::string answer;
    // Asks unless the method failed for this host before; remembers a failure.
    const auto ask = [&](bool detect, const std::string& script) {
        std::set<std::string>* failed =
            failures ? (detect ? &failures->detection : &failures->script) : nullptr;
        if (failed && failed->count(host) > 0) return false;
        if (config.AutomaticProxy(address, detect, script, answer, waiting)) return true;
        if (failed) failed->insert(host);
        return false;
    };
    // The first of a script's list: a second proxy is a fallback for when
    // the first cannot be reached, and the user's error names the first.
    if (settings.autoDetect && ask(true, "")) {
        return ParseProxyAddress(Entries(answer).empty() ? "" : Entries(answer).front());
    }
    if (!settings.autoConfigUrl.empty() && ask(false, settings.autoConfigUrl)) {
        return ParseProxyAddress(Entries(answer).empty() ? "" : Entries(answer).front());
    }
    if (settings.proxyServer.empty() || IsBypassed(settings.proxyBypass, url)) return {};
    return ProxyForScheme(settings.proxyServer, LowerAscii(url.protocol));
}

void UseProxySettings(HttpClient& http, ProxyConfig& config, std::function<void()> waiting) {
    // For the client's life, which is the program's run.
    auto failures = std::make_shared<ProxyFailures>();
    http.SetProxyChooser([&config, waiting = std::move(waiting), failures](const HttpUrl& url) {
        return ChooseProxy(config, url, waiting, failures.get());
    });
}

}  // namespace pellinor
