// Byte counts in KB up to 1000 KB and in MB with two decimals above.
#include "window/ByteSize.h"

#include <cstdio>
#include <cstdlib>

#include "text/TextRules.h"

namespace pellinor {
namespace {

// value with two decimals, rounded half away from zero on its 18-digit
// decimal form rather than on its binary one: 1.125 gives "1.13".
std::string TwoDecimals(double value, const std::string& separator) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17e", value);  // d.ddddddddddddddddde+XX
    const bool negative = text[0] == '-';
    const char* p = text + (negative ? 1 : 0);
    std::string digits;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits += *p;
    }
    const int exponent = std::atoi(p + 1);
    // Place the point: digits before it are exponent + 1 (zeros in front when negative).
    int integerDigits = exponent + 1;
    if (integerDigits < 1) {
        digits.insert(0, static_cast<size_t>(1 - integerDigits), '0');
        integerDigits = 1;
    }
    const size_t keep = static_cast<size_t>(integerDigits) + 2;
    while (digits.size() <= keep) digits += '0';
    std::string kept = digits.substr(0, keep);
    if (digits[keep] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
        if (i < 0) {
            kept.insert(0, 1, '1');
            ++integerDigits;
        } else {
            ++kept[static_cast<size_t>(i)];
        }
    }
    std::string out = negative ? "-" : "";
    out += kept.substr(0, static_cast<size_t>(integerDigits));
    out += separator;
    out += kept.substr(static_cast<size_t>(integerDigits));
    return out;
}

}  // namespace

std::string FormatByteSize(int32_t bytes, const std::string& decimalSeparator) {
    const int64_t kb = RoundHalfEven(bytes / 1024.0);
    if (kb <= 1000) return std::to_string(kb) + " KB";
    return TwoDecimals(static_cast<double>(kb) / 1024.0, decimalSeparator) + " MB";
}

}  // namespace pellinor
