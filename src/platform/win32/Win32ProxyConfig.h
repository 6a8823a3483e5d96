// The user's proxy settings and the automatic configuration through the
// system's own WinHTTP functions (winhttp.dll, on every Windows since XP SP1).
#pragma once

#include <chrono>

#include "platform/ProxyConfig.h"

namespace pellinor {

// Detection (DHCP, then DNS) or a script that takes longer than this gives
// no answer: the download goes on as if there were none. Windows finds a
// script or gives up within seconds; a script server that takes the
// connection and never answers must not hold the upgrade for longer.
constexpr std::chrono::milliseconds kAutomaticProxyTimeLimit{30000};

class Win32ProxyConfig : public ProxyConfig {
  public:
    ProxySettings UserSettings() override;
    bool AutomaticProxy(const std::string& url, bool detect, const std::string& scriptUrl,
                        std::string& proxy, const std::function<void()>& waiting) override;

  private:
    // Detection asks the network each time and costs seconds where there
    // is nothing to find (most networks): once it found nothing, it is not
    // asked again in this run.
    bool detectionFailed_ = false;
};

}  // namespace pellinor
