// Encoding of typed addresses, and the address parts the client requests
// and follows redirects with.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "transfer/HttpUrl.h"
#include "transfer/UrlEncode.h"

namespace pellinor {
namespace {

std::string ErrorOf(const std::string& url) {
    try {
        EncodeUrl(url);
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

TEST(EncodeUrl, PathAndDocumentBytes) {
    EXPECT_EQ(EncodeUrl("http://dl.example/V9/02/Tessaron.Exe").Text(),
              "http://dl.example/V9/02/Tessaron.Exe");
    EXPECT_EQ(EncodeUrl("http://h/my dir/a b.exe").Text(), "http://h/my%20dir/a%20b.exe");
    EXPECT_EQ(EncodeUrl("http://h/a*b<c>d+e%f/g#h/x").Text(),
              "http://h/a%2Ab%3Cc%3Ed%2Be%25f/g%23h/x");
    EXPECT_EQ(EncodeUrl("http://h/\x01\x1f\x7f/\x80\xff").Text(), "http://h/%01%1F\x7f/%80%FF");
    // Bytes outside the set stay, the UTF-8 bytes of Chinese do not.
    EXPECT_EQ(EncodeUrl("http://h/[x]&=?y").Text(), "http://h/[x]&=?y");
    EXPECT_EQ(EncodeUrl("http://h/门").Text(), "http://h/%E9%97%A8");
}

TEST(EncodeUrl, AnEncodedTextIsEncodedAgain) {
    EXPECT_EQ(EncodeUrl("http://h/a%20b.exe").Text(), "http://h/a%2520b.exe");
}

TEST(EncodeUrl, QueryBytes) {
    EXPECT_EQ(EncodeUrl("http://h/d?a=1&b=x y+z?w").Text(), "http://h/d?a=1&b=x%20y+z?w");
    EXPECT_EQ(EncodeUrl("http://h/d?[*]<%>#").Text(), "http://h/d?%5B%2A%5D%3C%25%3E%23");
    // 128 is left alone in a query, 129 and up are not.
    EXPECT_EQ(EncodeUrl("http://h/d?\x80\x81!").Text(), "http://h/d?\x80%81!");
    EXPECT_EQ(EncodeUrl("http://h/d?").Text(), "http://h/d?");
}

TEST(EncodeUrl, BackslashesUserInfoFragmentAndPort) {
    EXPECT_EQ(EncodeUrl("http:\\\\h\\V9\\02\\f.exe").Text(), "http://h/V9/02/f.exe");
    EXPECT_EQ(EncodeUrl("http://joe:pw@h:8080/f.exe#top").Text(), "http://h:8080/f.exe");
    EXPECT_EQ(EncodeUrl("http://h:80/f.exe").Text(), "http://h:80/f.exe");
    EXPECT_EQ(EncodeUrl("http://h").Text(), "http://h/");
    EXPECT_EQ(EncodeUrl("HTTP://Host.Example/F").Text(), "HTTP://Host.Example/F");
}

TEST(EncodeUrl, Errors) {
    EXPECT_EQ(ErrorOf("dl.example/V9/02/Tessaron.Exe"), "Protocol field is empty");
    EXPECT_EQ(ErrorOf("://h/x"), "Protocol field is empty");
    EXPECT_EQ(ErrorOf("http:///x"), "Host field is empty");
    EXPECT_EQ(ErrorOf("http://user@/x"), "Host field is empty");
    EXPECT_EQ(ErrorOf("http://:81/x"), "Host field is empty");
}

TEST(HttpUrl, PartsTargetAndHostHeader) {
    const HttpUrl u = ParseHttpUrl("http://h:8080/a/b/c.exe?x=1#no");
    EXPECT_EQ(u.host, "h");
    EXPECT_EQ(u.port, "8080");
    EXPECT_EQ(u.path, "/a/b/");
    EXPECT_EQ(u.document, "c.exe");
    EXPECT_EQ(u.query, "x=1#no");
    EXPECT_EQ(u.Target(), "/a/b/c.exe?x=1#no");
    EXPECT_EQ(u.HostHeader(), "h:8080");
    EXPECT_EQ(ParseHttpUrl("http://h:80/").HostHeader(), "h");
    // Leading zeros name the same port.
    EXPECT_EQ(ParseHttpUrl("http://h:018120/").HostHeader(), "h:18120");
    EXPECT_EQ(ParseHttpUrl("http://h:00080/").HostHeader(), "h");
    EXPECT_EQ(ParseHttpUrl("http://h/").HostHeader(), "h");
    EXPECT_EQ(ParseHttpUrl("http://h/").PortOrDefault(), "80");
    // An https address's own port is 443, and only that one goes unwritten.
    EXPECT_EQ(ParseHttpUrl("HTTPS://h/").PortOrDefault(), "443");
    EXPECT_EQ(ParseHttpUrl("https://h:443/").HostHeader(), "h");
    EXPECT_EQ(ParseHttpUrl("https://h:80/").HostHeader(), "h:80");
    EXPECT_EQ(ParseHttpUrl("http://[::1]:81/x").host, "[::1]");
}

TEST(HttpUrl, LocationsResolveAgainstTheCurrentAddress) {
    const HttpUrl current = ParseHttpUrl("http://h:81/a/b/c.exe?q=1");
    auto resolved = [&](const std::string& location) {
        return ResolveLocation(current, location).Text();
    };
    EXPECT_EQ(resolved("http://other/x.exe"), "http://other/x.exe");
    EXPECT_EQ(resolved("/root/x.exe"), "http://h:81/root/x.exe");
    EXPECT_EQ(resolved("x.exe"), "http://h:81/a/b/x.exe");
    EXPECT_EQ(resolved("../x.exe?z=2"), "http://h:81/a/x.exe?z=2");
    EXPECT_EQ(resolved("../../../../x.exe"), "http://h:81/x.exe");
    EXPECT_EQ(resolved("d//e/./f/../g.exe#frag"), "http://h:81/a/b/d//e/g.exe");
    // RFC 3986 5.2: the other server's path, the current document, no fragment.
    EXPECT_EQ(resolved("?only=query"), "http://h:81/a/b/c.exe?only=query");
    EXPECT_EQ(resolved("//other:82/y/../z?a#f"), "http://other:82/z?a");
    EXPECT_EQ(resolved(""), "http://h:81/a/b/c.exe?q=1");
    EXPECT_EQ(resolved("#frag"), "http://h:81/a/b/c.exe?q=1");
    EXPECT_EQ(resolved("/y?a#frag"), "http://h:81/y?a");
    EXPECT_EQ(resolved("http://other/p/../x#f"), "http://other/x");
    EXPECT_EQ(resolved("http:x.exe"), "http://h:81/a/b/x.exe");
    EXPECT_THROW(resolved("ftp:x"), Error);
    EXPECT_EQ(resolved("sub/.."), "http://h:81/a/b/");
    EXPECT_EQ(resolved("https://h/x").substr(0, 8), "https://");
    // An address in the query is data, not another server.
    EXPECT_EQ(resolved("/login?next=http://x/y"), "http://h:81/login?next=http://x/y");
    // The fragment goes before the dots are looked at.
    EXPECT_EQ(resolved("../..#top"), "http://h:81/");
}

TEST(HttpUrl, AFragmentRightAfterTheHostKeepsTheHost) {
    const HttpUrl u = ParseHttpUrl("http://h#frag/x");
    EXPECT_EQ(u.host, "h");
    EXPECT_EQ(u.Target().rfind("/", 0), 0u) << u.Target();
    EXPECT_EQ(EncodeUrl("http://h#frag/x").Text().rfind("http://h/", 0), 0u);
}

}  // namespace
}  // namespace pellinor
