// The parts of an "http://" or "https://" address as the client uses them, and the
// resolution of a redirect's Location against the address that gave it.
#pragma once

#include <string>

namespace pellinor {

struct HttpUrl {
    std::string protocol;  // as written, e.g. "http"
    std::string host;
    std::string port;      // as written; empty when the address names none
    std::string path;      // directory part, from the first "/" through the last one
    std::string document;  // after the last "/" of the path, without any "#" fragment
    std::string query;     // after the "?", without it
    bool hasQuery = false;

    // True for "https" in any case.
    bool Secure() const;
    // The scheme's port: "443" for https, "80" for http.
    std::string DefaultPort() const;
    // The port written, or the scheme's.
    std::string PortOrDefault() const { return port.empty() ? DefaultPort() : port; }
    // What the request line names: path, document and "?" + query.
    std::string Target() const;
    // The Host header's value: ":port" only when the port is not the
    // scheme's (RFC 9110 7.2).
    std::string HostHeader() const;
    // protocol "://" host [":" port] path document ["?" query]
    std::string Text() const;
};

// Splits an address; "\" counts as "/". The user name, password and fragment
// are dropped. Throws pellinor::Error "Protocol field is empty" or "Host field
// is empty".
HttpUrl ParseHttpUrl(const std::string& url);

// The address a Location leads to from current, resolved as RFC 3986 5
// resolves a reference: an absolute address, "//host/..." on the current
// protocol, "/..." on the current server, a relative path against the
// current directory, "?q" and "" on the current document. "." and ".."
// segments are taken out, and the fragment is never kept.
HttpUrl ResolveLocation(const HttpUrl& current, const std::string& location);

}  // namespace pellinor
