// https through the system's SChannel (boost-wintls over the client's
// socket): TLS 1.2, the server's name sent and checked, its chain checked
// against the roots Windows trusts. Revocation is not looked up: a front
// desk PC may reach the download server and nothing else.
#pragma once

#include <memory>

#include "platform/TlsSessions.h"

namespace pellinor {

class Win32TlsSessions : public TlsSessions {
  public:
    Win32TlsSessions();
    ~Win32TlsSessions() override;
    std::unique_ptr<TlsSession> Begin(boost::asio::ip::tcp::socket& socket,
                                      const std::string& serverName) override;

  private:
    struct Settings;
    std::unique_ptr<Settings> settings_;
};

}  // namespace pellinor
