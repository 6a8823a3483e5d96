// The cookies the server hands out, held in memory for the life of the
// client and sent back on the requests they match. Nothing is stored on disk.
#pragma once

#include <ctime>
#include <string>
#include <unordered_map>
#include <vector>

#include "transfer/HttpUrl.h"

namespace pellinor {

// The most cookies held. A download server sets a handful; a reply that
// sets thousands would only grow every later request and the memory. Once
// full, new cookies are ignored while the held ones can still be replaced.
constexpr size_t kMaxCookies = 300;

class CookieJar {
  public:
    // Takes one "Set-Cookie" value received for a request to from. A cookie
    // with the same name, domain and path replaces the one held. A value
    // holding a control byte other than a tab is ignored, and so is one
    // whose Domain the host does not match, and one marked Secure that came
    // over http (a server in the clear must not plant what https sends).
    void Store(const std::string& setCookie, const HttpUrl& from, std::time_t now);
    // Every "Set-Cookie" value of one response, in order.
    void StoreAll(const std::vector<std::string>& setCookies, const HttpUrl& from, std::time_t now);

    // Forgets every cookie whose expiry has passed.
    void DropExpired(std::time_t now);

    // "n1=v1; n2=v2" of the cookies whose domain matches the host (RFC 6265
    // 5.1.3: the host itself, or for a cookie with a Domain also a host below
    // it) and whose path starts the request's directory; empty values are
    // not sent, and Secure cookies go over https only. Empty when none matches.
    std::string HeaderFor(const HttpUrl& url) const;

    size_t Count() const { return cookies_.size(); }

  private:
    struct Cookie {
        std::string name;
        std::string value;
        std::string domain;    // lower case, without a leading "."
        bool hostOnly = true;  // set without a Domain: for that host alone
        std::string path;
        bool persistent = false;
        std::time_t expires = 0;
        bool secure = false;  // sent over https only
    };
    static std::string KeyOf(const Cookie& cookie);

    std::vector<Cookie> cookies_;  // in the order they were first set, as they are sent
    std::unordered_map<std::string, size_t> index_;  // name, domain and path to position
};

// RFC 6265 5.1.3, both lower case: host is domain, or ends in "." + domain
// and is a name, not an IP address.
bool DomainMatches(const std::string& host, const std::string& domain);

// Reads the date forms servers use in "expires" (RFC 1123, RFC 850 with
// dashes, asctime); false when no day, month, year and time can be found.
bool ParseCookieDate(const std::string& text, std::time_t& when);

}  // namespace pellinor
