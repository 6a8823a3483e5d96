// The client's in-memory cookies: what is kept, matched, sent and forgotten.
#include <gtest/gtest.h>

#include "transfer/Cookies.h"

namespace pellinor {
namespace {

const std::time_t kNow = 1700000000;  // 2023-11-14 22:13:20 UTC

TEST(CookieJar, MatchesByDomainAndPathPrefix) {
    CookieJar jar;
    const HttpUrl from = ParseHttpUrl("http://www.Example.com/dl/v9/file.exe");
    jar.Store("sid=1", from, kNow);  // domain and path of the request
    jar.Store("all=2; Path=/", from, kNow);
    jar.Store("wide=3; Domain=.EXAMPLE.com; path=/", from, kNow);
    jar.Store("other=4; domain=elsewhere.org; path=/", from, kNow);
    jar.Store("empty=; path=/", from, kNow);

    EXPECT_EQ(jar.HeaderFor(ParseHttpUrl("http://www.example.com/dl/v9/x.exe")),
              "sid=1; all=2; wide=3");
    EXPECT_EQ(jar.HeaderFor(ParseHttpUrl("http://www.example.com/dl/v9/deeper/x")),
              "sid=1; all=2; wide=3");
    EXPECT_EQ(jar.HeaderFor(ParseHttpUrl("http://www.example.com/dl/x.exe")), "all=2; wide=3");
    EXPECT_EQ(jar.HeaderFor(ParseHttpUrl("http://cdn.example.com/dl/v9/x.exe")), "wide=3");
    EXPECT_EQ(jar.HeaderFor(ParseHttpUrl("http://example.org/")), "");
}

// RFC 6265 5.1.3 and 5.3: who sets a cookie for whom, and who gets it back.
TEST(CookieJar, DomainsMatchOnDotBoundariesAndAddressesOnlyThemselves) {
    struct Row {
        const char* from;
        const char* setCookie;
        const char* to;
        bool sent;
    };
    const Row rows[] = {
        {"localhost", "a=1; Domain=.", "127.0.0.1", false},  // "." sets no domain
        {"localhost", "a=1; Domain=.", "localhost", true},
        {"www.example.com", "a=1", "cdn.example.com", false},  // host-only
        {"www.example.com", "a=1; Domain=example.com", "cdn.example.com", true},
        {"www.example.com", "a=1; Domain=example.com", "badexample.com", false},
        {"www.example.com", "a=1; Domain=ample.com", "www.example.com", false},  // not on a dot
        {"www.example.com", "a=1; Domain=www.example.com", "sub.www.example.com", true},
        {"a.example.com", "a=1; Domain=b.example.com", "b.example.com", false},  // a sibling
        {"127.0.0.1", "a=1; Domain=0.0.1", "127.0.0.1", false},
        {"127.0.0.1", "a=1; Domain=127.0.0.1", "127.0.0.1", true},
        {"10.0.0.1", "a=1", "110.0.0.1", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.from) + " " + row.setCookie + " -> " + row.to);
        CookieJar jar;
        jar.Store(row.setCookie, ParseHttpUrl(std::string("http://") + row.from + "/"), kNow);
        EXPECT_EQ(jar.HeaderFor(ParseHttpUrl(std::string("http://") + row.to + "/")),
                  row.sent ? "a=1" : "");
    }
}

TEST(CookieJar, SecureCookiesComeAndGoOverHttpsOnly) {
    CookieJar jar;
    jar.Store("s=1; Secure; Path=/", ParseHttpUrl("https://dl.example/a"), kNow);
    jar.Store("planted=2; secure; Path=/", ParseHttpUrl("http://dl.example/a"), kNow);
    jar.Store("plain=3; Path=/", ParseHttpUrl("https://dl.example/a"), kNow);
    EXPECT_EQ(jar.HeaderFor(ParseHttpUrl("https://dl.example/b")), "s=1; plain=3");
    EXPECT_EQ(jar.HeaderFor(ParseHttpUrl("http://dl.example/b")), "plain=3");
}

TEST(CookieJar, ReplacesAndExpires) {
    CookieJar jar;
    const HttpUrl from = ParseHttpUrl("http://h/");
    jar.Store("a=1", from, kNow);
    jar.Store("a=2", from, kNow);
    jar.Store("b=1; Max-Age=60", from, kNow);
    jar.Store("c=1; expires=Wed, 15 Nov 2023 08:00:00 GMT", from, kNow);
    jar.Store("d=1; expires=Sunday, 06-Nov-94 08:49:37 GMT", from, kNow);
    EXPECT_EQ(jar.Count(), 4u);
    jar.DropExpired(kNow);
    EXPECT_EQ(jar.HeaderFor(from), "a=2; b=1; c=1");
    jar.DropExpired(kNow + 61);
    EXPECT_EQ(jar.HeaderFor(from), "a=2; c=1");
    jar.Store("a=9; Max-Age=0", from, kNow + 62);
    jar.DropExpired(kNow + 62);
    EXPECT_EQ(jar.HeaderFor(from), "c=1");
    jar.DropExpired(kNow + 86400);
    EXPECT_EQ(jar.Count(), 0u);
}

TEST(CookieDate, TheFormsServersSend) {
    std::time_t t = 0;
    ASSERT_TRUE(ParseCookieDate("Sun, 06 Nov 1994 08:49:37 GMT", t));
    EXPECT_EQ(t, 784111777);
    ASSERT_TRUE(ParseCookieDate("Sunday, 06-Nov-94 08:49:37 GMT", t));
    EXPECT_EQ(t, 784111777);
    ASSERT_TRUE(ParseCookieDate("Sun Nov  6 08:49:37 1994", t));
    EXPECT_EQ(t, 784111777);
    ASSERT_TRUE(ParseCookieDate("Thu, 01 Jan 1970 00:00:00 GMT", t));
    EXPECT_EQ(t, 0);
    EXPECT_FALSE(ParseCookieDate("tomorrow", t));
    EXPECT_FALSE(ParseCookieDate("Sun, 06 Nov 1994", t));
    // A run of digits too long for a number is no time, not an exception.
    EXPECT_FALSE(ParseCookieDate("Sun, 06 Nov 1994 066666666666666666660:00:00 GMT", t));
}

TEST(CookieJar, AValueWithAControlByteIsNeverSentBack) {
    CookieJar jar;
    const HttpUrl from = ParseHttpUrl("http://h/dl/f.exe");
    jar.Store("bad=a\rInjected: yes; path=/", from, kNow);
    jar.Store("tab=a\tb; path=/", from, kNow);
    EXPECT_EQ(jar.HeaderFor(ParseHttpUrl("http://h/dl/g.exe")), "tab=a\tb");
}

}  // namespace
}  // namespace pellinor

namespace pellinor {
namespace {

TEST(CookieJar, HoldsAtMostItsBoundAndStillReplacesTheHeldOnes) {
    CookieJar jar;
    const HttpUrl from = ParseHttpUrl("http://h/");
    // Far more distinct cookies than any server sets; each store stays a
    // look-up, so this many would take minutes if it were a search.
    for (int i = 0; i < 50000; ++i) jar.Store("c" + std::to_string(i) + "=v", from, kNow);
    EXPECT_EQ(jar.Count(), kMaxCookies);
    jar.Store("c0=changed", from, kNow);
    jar.Store("late=1", from, kNow);
    const std::string header = jar.HeaderFor(from);
    EXPECT_EQ(header.compare(0, 13, "c0=changed; c"), 0);
    EXPECT_EQ(header.find("late="), std::string::npos);
    const std::string last = "c" + std::to_string(kMaxCookies - 1) + "=v";
    EXPECT_EQ(header.compare(header.size() - last.size(), last.size(), last), 0);
    // Room again once some expire, and the index follows the survivors.
    jar.Store("c1=gone; Max-Age=0", from, kNow);
    jar.DropExpired(kNow);
    EXPECT_EQ(jar.Count(), kMaxCookies - 1);
    jar.Store("late=1", from, kNow);
    jar.Store("c2=again", from, kNow);
    EXPECT_EQ(jar.Count(), kMaxCookies);
    EXPECT_NE(jar.HeaderFor(from).find("c2=again"), std::string::npos);
    EXPECT_NE(jar.HeaderFor(from).find("late=1"), std::string::npos);
}

}  // namespace
}  // namespace pellinor
