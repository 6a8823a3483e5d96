// The shared text rules.
#include "text/TextRules.h"

#include <cmath>

namespace pellinor {

std::string Trim(const std::string& s) {
    size_t first = 0;
    size_t last = s.size();
    while (first < last && static_cast<unsigned char>(s[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(s[last - 1]) <= 32) --last;
    return s.substr(first, last - first);
}

std::string UpperAscii(const std::string& s) {
    std::string r = s;
    for (char& c : r) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return r;
}

namespace {
char LowerAsciiByte(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

std::string LowerAscii(const std::string& s) {
    std::string r = s;
    for (char& c : r) c = LowerAsciiByte(c);
    return r;
}

bool WildcardMatch(const std::string& pattern, const std::string& text) {
    size_t p = 0, t = 0, star = std::string::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || LowerAsciiByte(pattern[p]) == LowerAsciiByte(text[t]))) {
            ++p;
            ++t;
        } else if (star != std::string::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool SameTextAscii(const std::string& a, const std::string& b) {
    return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

size_t Pos(const std::string& needle, const std::string& haystack) {
    if (needle.empty()) return 0;
    const size_t at = haystack.find(needle);
    return at == std::string::npos ? 0 : at + 1;
}

std::string ExtractFileName(const std::string& path) {
    const size_t sep = path.find_last_of("\\:");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string ExtractFileExt(const std::string& path) {
    const size_t at = path.find_last_of(".\\:");
    if (at == std::string::npos || path[at] != '.') return std::string();
    return path.substr(at);
}

int64_t RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    int64_t result = static_cast<int64_t>(below);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) ++result;
    return result;
}

std::vector<std::string> Split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = s.find(separator, start);
        parts.push_back(s.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string WithTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + "\\";
}

std::string NormalFolder(const std::string& path) {
    std::string s = path;
    for (char& c : s) {
        if (c == '/') c = '\\';
    }
    // The root the steps cannot leave: "\\server\share", "X:", or none.
    size_t rootEnd = 0;
    if (s.compare(0, 2, "\\\\") == 0) {
        const size_t server = s.find('\\', 2);
        const size_t share = server == std::string::npos ? server : s.find('\\', server + 1);
        rootEnd = share == std::string::npos ? s.size() : share;
    } else if (s.size() >= 2 && s[1] == ':') {
        rootEnd = 2;
    }
    // Rooted: the steps start at the root, not where the program stands.
    bool separate = rootEnd < s.size() && s[rootEnd] == '\\';
    std::vector<std::string> steps;
    for (const std::string& step : Split(s.substr(rootEnd), '\\')) {
        if (step.empty() || step == ".") continue;
        if (step == "..") {
            if (!steps.empty()) steps.pop_back();
            continue;
        }
        steps.push_back(step);
    }
    std::string folder = s.substr(0, rootEnd);
    for (const std::string& step : steps) {
        if (separate) folder += '\\';
        folder += step;
        separate = true;
    }
    return WithTrailingBackslash(folder);
}

}  // namespace pellinor
