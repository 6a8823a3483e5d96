// The cookies the server hands out, held in memory for the life of the
// client and sent back on the requests they match. Nothing is stored on disk.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "transfer/HttpUrl.h"

namespace pellinor {

class CookieJar {
  public:
    // Takes one "Set-Cookie" value received for a request to from. A cookie
    // with the same name, domain and path replaces the one held. A value
    // holding a control byte other than a tab is ignored.
    void Store(const std::string& setCookie, const HttpUrl& from, std::time_t now);

    // Forgets every cookie whose expiry has passed.
    void DropExpired(std::time_t now);

    // "n1=v1; n2=v2" of the cookies whose domain occurs in the host (without
    // case) and whose path starts the request's directory; empty values are
    // not sent. Empty when none matches.
    std::string HeaderFor(const HttpUrl& url) const;

    size_t Count() const { return cookies_.size(); }

  private:
    struct Cookie {
        std::string name;
        std::string value;
        std::string domain;  // lower case, without a leading "."
        std::string path;
        bool persistent = false;
        std::time_t expires = 0;
    };
    std::vector<Cookie> cookies_;
};

// Reads the date forms servers use in "expires" (RFC 1123, RFC 850 with
// dashes, asctime); false when no day, month, year and time can be found.
bool ParseCookieDate(const std::string& text, std::time_t& when);

}  // namespace pellinor
