// A GET for the client tests: the error text it raised, empty when none.
#pragma once

#include <string>

#include "platform/Error.h"
#include "transfer/HttpClient.h"

namespace pellinor {

inline std::string GetOrError(HttpClient& client, const std::string& url, HttpResponse& response) {
    try {
        client.Get(url, response);
    } catch (const Error& e) {
        return e.what();
    }
    return std::string();
}

}  // namespace pellinor
