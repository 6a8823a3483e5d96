// Which proxy, if any, a request for an address goes through: the user's
// settings as Windows keeps them, applied as Windows applies them. Decided
// for every address the client requests, a redirect's target included.
#pragma once

#include <set>
#include <string>

#include "platform/ProxyConfig.h"
#include "transfer/HttpUrl.h"

namespace pellinor {

struct ProxyEndpoint {
    std::string host;  // empty: a direct connection
    std::string port;

    bool Direct() const { return host.empty(); }
    // "host:port", or "direct".
    std::string Text() const;
};

// "host:port", "http://host:port/" or "[::1]:port"; the port is 80 when
// none is written. Direct for an empty text or one that names no usable
// host and port.
ProxyEndpoint ParseProxyAddress(const std::string& text);

// The proxy a ProxyServer value names for scheme: in "http=a:1;https=b:2"
// the entry of that scheme (none: direct), in "a:1" that one for every
// scheme.
ProxyEndpoint ProxyForScheme(const std::string& proxyServer, const std::string& scheme);

// Whether url is on the bypass list: entries separated by ";" or blanks,
// each a host pattern with "*" and "?" (any case), optionally with a
// "scheme://" before and a ":port" after it; "<local>" stands for every
// host name without a dot.
bool IsBypassed(const std::string& bypassList, const HttpUrl& url);

// The hosts for which the system gave no answer in this run, by detection
// and by the configuration script: each may take kAutomaticProxyTimeLimit,
// and a server that redirects from host to host would otherwise pay it
// again for every address. They are not asked again for those hosts.
struct ProxyFailures {
    std::set<std::string> detection;
    std::set<std::string> script;
};

// The decision: automatic detection, then the configuration script, each
// as far as it is switched on and gives an answer; when neither does, the
// fixed proxy unless the address is on the bypass list; else direct.
// Loopback addresses are bypassed only when the list says so. waiting
// gives the window its turns while a script or detection runs. With
// failures, a method that gave no answer for the host is not asked again.
ProxyEndpoint ChooseProxy(ProxyConfig& config, const HttpUrl& url,
                          const std::function<void()>& waiting = {},
                          ProxyFailures* failures = nullptr);

class HttpClient;

// Every request of http, a redirect's included, goes the way ChooseProxy
// decides from the user's settings.
void UseProxySettings(HttpClient& http, ProxyConfig& config, std::function<void()> waiting = {});

}  // namespace pellinor
