// The user's proxy settings as Windows keeps them (Internet Options), and
// the automatic configuration the system runs for one address. The logic
// decides with them in transfer/ProxyChoice; the Windows body asks WinHTTP.
#pragma once

#include <functional>
#include <string>

namespace pellinor {

// What WinHttpGetIEProxyConfigForCurrentUser reports, as UTF-8.
struct ProxySettings {
    bool autoDetect = false;    // "Automatically detect settings"
    std::string autoConfigUrl;  // "Use automatic configuration script", empty when off
    std::string proxyServer;    // "host:port" or "http=host:port;https=...", empty when off
    std::string proxyBypass;    // the exceptions, "<local>" included, separated by ";"
};

class ProxyConfig {
  public:
    virtual ~ProxyConfig() = default;
    // The settings of the user the program runs as; all empty when the
    // system reports none.
    virtual ProxySettings UserSettings() = 0;
    // Runs the automatic configuration for url: detection when detect is
    // set, else the script at scriptUrl. True with the answer in proxy
    // ("host:port", or a list of them, or empty for a direct connection);
    // false when the detection or the script gave no answer. waiting, when
    // set, gives the window its turns while the system works.
    virtual bool AutomaticProxy(const std::string& url, bool detect, const std::string& scriptUrl,
                                std::string& proxy, const std::function<void()>& waiting) = 0;
};

}  // namespace pellinor
