// The sign-in a proxy asks for with "407 Proxy Authentication Required":
// which of its offers this client can answer, and the header that answers
// it. Only Basic: the user name and password the user types in.
#pragma once

#include <string>
#include <vector>

namespace pellinor {

// The longest user name or password the sign-in box takes and the client
// sends: proxies' own limits are lower (squid's helpers read 256-byte
// lines), and no one types more.
constexpr size_t kMaxProxyCredential = 256;

struct ProxyCredentials {
    std::string user;
    std::string password;
};

// Whether one of the "Proxy-Authenticate" values offers Basic.
bool OffersBasic(const std::vector<std::string>& proxyAuthenticate);

// Whether the box's answer may be sent: neither part over the limit, and
// a user name without ":" (Basic joins the two with one).
bool UsableCredentials(const ProxyCredentials& credentials);

// "Basic " + base64(user ":" password), the value of "Proxy-Authorization".
std::string BasicAuthorization(const ProxyCredentials& credentials);

}  // namespace pellinor
