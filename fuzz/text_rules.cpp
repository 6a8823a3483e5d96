// Fuzzes the shared text rules and the Public and All Users desktop paths
// with any bytes, each against a model of its rule written here: trimming
// takes only bytes 0 to 32 from the ends and is idempotent; upper- and
// lower-casing keep the length and change only the ASCII letters;
// positions are 1-based and find the first occurrence; the file name and
// extension are suffixes after the last "\" or ":"; rounding goes to the
// nearest integer, halves to even; the desktop paths put their word in the
// place of the component after the second backslash, keep everything from
// the third on, and are trimmed.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "support/FuzzCheck.h"
#include "system/ShortcutScan.h"
#include "text/TextRules.h"

using namespace pellinor;

namespace {

bool Low(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void CheckTrim(const std::string& s) {
    const std::string t = Trim(s);
    FUZZ_CHECK(Trim(t) == t);
    FUZZ_CHECK(t.empty() || (!Low(t.front()) && !Low(t.back())));
    // What went from each end were low bytes only.
    const size_t at = t.empty() ? 0 : s.find(t);
    FUZZ_CHECK(at != std::string::npos);
    for (size_t i = 0; i < at; ++i) FUZZ_CHECK(Low(s[i]));
    for (size_t i = at + t.size(); i < s.size(); ++i) FUZZ_CHECK(Low(s[i]));
    if (t.empty()) {
        for (char c : s) FUZZ_CHECK(Low(c));
    }
}

void CheckUpper(const std::string& s) {
    const std::string u = UpperAscii(s);
    FUZZ_CHECK(u.size() == s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const bool lower = s[i] >= 'a' && s[i] <= 'z';
        FUZZ_CHECK(u[i] == (lower ? static_cast<char>(s[i] - 'a' + 'A') : s[i]));
    }
    FUZZ_CHECK(SameTextAscii(s, u));
    FUZZ_CHECK(!SameTextAscii(s, s + "a"));
    const std::string l = LowerAscii(s);
    FUZZ_CHECK(l.size() == s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const bool upper = s[i] >= 'A' && s[i] <= 'Z';
        FUZZ_CHECK(l[i] == (upper ? static_cast<char>(s[i] - 'A' + 'a') : s[i]));
    }
    FUZZ_CHECK(UpperAscii(l) == u);
}

void CheckPos(const std::string& needle, const std::string& haystack) {
    const size_t p = Pos(needle, haystack);
    size_t first = 0;  // by trying every place in turn
    if (!needle.empty()) {
        for (size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
            if (std::memcmp(haystack.data() + i, needle.data(), needle.size()) == 0) {
                first = i + 1;
                break;
            }
        }
    }
    FUZZ_CHECK(p == first);
}

void CheckFileNameAndExt(const std::string& path) {
    const std::string name = ExtractFileName(path);
    FUZZ_CHECK(EndsWith(path, name));
    FUZZ_CHECK(name.find_first_of("\\:") == std::string::npos);
    if (name.size() < path.size()) {
        const char before = path[path.size() - name.size() - 1];
        FUZZ_CHECK(before == '\\' || before == ':');
    }
    const std::string ext = ExtractFileExt(path);
    FUZZ_CHECK(EndsWith(name, ext));
    if (ext.empty()) {
        FUZZ_CHECK(name.find('.') == std::string::npos);
    } else {
        FUZZ_CHECK(ext[0] == '.' && ext.find('.', 1) == std::string::npos);
    }
}

void CheckRounding(const uint8_t* data, size_t size) {
    if (size < sizeof(double)) return;
    double v;
    std::memcpy(&v, data, sizeof v);
    if (!std::isfinite(v) || std::fabs(v) >= 4.0e18) return;
    const int64_t r = RoundHalfEven(v);
    const double distance = std::fabs(static_cast<double>(r) - v);
    FUZZ_CHECK(distance <= 0.5);
    if (distance == 0.5) FUZZ_CHECK(r % 2 == 0);
}

// The model: the trimmed path up to its second backslash, the word, and
// the rest from the third backslash on; empty below two backslashes.
std::string UserFolderReplaced(const std::string& desktop, const std::string& word) {
    const std::string t = Trim(desktop);
    const size_t first = t.find('\\');
    const size_t second = first == std::string::npos ? first : t.find('\\', first + 1);
    if (second == std::string::npos) return std::string();
    const size_t third = t.find('\\', second + 1);
    return t.substr(0, second + 1) + word + (third == std::string::npos ? "" : t.substr(third));
}

void CheckDesktops(const std::string& desktop) {
    const std::string pub = PublicDesktopFolder(desktop);
    const std::string all = AllUsersDesktopFolder(desktop);
    FUZZ_CHECK(Trim(pub) == pub && Trim(all) == all);
    FUZZ_CHECK(pub == UserFolderReplaced(desktop, "public"));
    FUZZ_CHECK(all == UserFolderReplaced(desktop, "All Users"));
    if (!pub.empty()) {
        const size_t second = pub.find('\\', pub.find('\\') + 1);
        FUZZ_CHECK(pub.compare(second, 7, "\\public") == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string s(reinterpret_cast<const char*>(data), size);
    CheckTrim(s);
    CheckUpper(s);
    CheckFileNameAndExt(s);
    CheckDesktops(s);
    CheckRounding(data, size);
    // The first byte says how long the needle is; it is searched in the rest.
    if (size > 0) {
        const size_t n = std::min<size_t>(data[0] % 8, size - 1);
        CheckPos(s.substr(1, n), s.substr(1 + n));
        CheckPos(s.substr(1, n), s);
        const std::string slashed = WithTrailingBackslash(s);
        FUZZ_CHECK(slashed == (EndsWith(s, "\\") ? s : s + "\\"));
    }
    return 0;
}
