// One line of the support log: its time stamp, and an event made safe to write.
#include "log/LogLine.h"

#include <cstdio>
#include <cstdlib>

namespace pellinor {

namespace {

// The length of the valid UTF-8 sequence at s[i], or 0 when the bytes there
// are not one (a stray continuation byte, an overlong form, a surrogate, a
// value above U+10FFFF, a sequence cut short).
size_t Utf8SequenceLength(const std::string& s, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return length;
}

std::string Escaped(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

}  // namespace

std::string SafeEventText(const std::string& event) {
    std::string safe;
    safe.reserve(event.size() < kMaxEventBytes ? event.size() : kMaxEventBytes);
    size_t i = 0;
    while (i < event.size()) {
        const unsigned char lead = static_cast<unsigned char>(event[i]);
        const size_t length = Utf8SequenceLength(event, i);
        const bool control = lead < 0x20 || lead == 0x7F;
        const std::string piece = length == 0 || control ? Escaped(lead) : event.substr(i, length);
        if (safe.size() + piece.size() > kMaxEventBytes) {
            safe += "...";
            break;
        }
        safe += piece;
        i += length == 0 ? 1 : length;
    }
    return safe;
}

std::string FormatLogLine(const LocalTime& when, const std::string& event) {
    const int offset = std::abs(when.utcOffsetMinutes);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d %c%02d:%02d ", when.year,
                  when.month, when.day, when.hour, when.minute, when.second, when.millisecond,
                  when.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return stamp + SafeEventText(event) + "\r\n";
}

std::string AddressForLog(const std::string& url) {
    const size_t scheme = url.find("://");
    if (scheme == std::string::npos) return url;
    const size_t hostStart = scheme + 3;
    size_t hostEnd = url.find_first_of("/?#", hostStart);
    if (hostEnd == std::string::npos) hostEnd = url.size();
    const size_t at = url.rfind('@', hostEnd == 0 ? 0 : hostEnd - 1);
    if (at == std::string::npos || at < hostStart) return url;
    return url.substr(0, hostStart) + url.substr(at + 1);
}

}  // namespace pellinor
