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

// Whether the valid sequence of length bytes at s[i] is a character that
// makes a reader see another line than the one written, although it is no
// control byte: those some common reader breaks a line at (the C1
// controls, NEL, U+0085, among them, where editors that read Latin-1 break
// too; the line and paragraph separators U+2028 and U+2029), and the
// invisible ones that reorder or hide what follows (the bidi marks U+200E
// and U+200F, embeddings and overrides U+202A to U+202E, isolates U+2066
// to U+2069, and the byte order mark U+FEFF), with which a server's text
// could show a line's words in another order than they were logged.
bool MisleadsReaders(const std::string& s, size_t i, size_t length) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
    if (length == 2) return byte(0) == 0xC2 && byte(1) <= 0x9F;
    if (length != 3) return false;
    const unsigned value = (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    return value == 0x200E || value == 0x200F || value == 0x2028 || value == 0x2029 ||
           (value >= 0x202A && value <= 0x202E) || (value >= 0x2066 && value <= 0x2069) ||
           value == 0xFEFF;
}

// Where the authority of the address whose "://" ends at start ends: at its
// path, query or fragment, or where the text around it goes on.
size_t AuthorityEnd(const std::string& text, size_t start) {
    const size_t end = text.find_first_of("/?#\" \t\r\n", start);
    return end == std::string::npos ? text.size() : end;
}

}  // namespace

std::string SafeEventText(const std::string& rawEvent) {
    const std::string event = WithoutPasswords(rawEvent);
    std::string safe;
    safe.reserve(event.size() < kMaxEventBytes ? event.size() : kMaxEventBytes);
    size_t i = 0;
    while (i < event.size()) {
        const unsigned char lead = static_cast<unsigned char>(event[i]);
        const size_t length = Utf8SequenceLength(event, i);
        const bool control = lead < 0x20 || lead == 0x7F;
        std::string piece;
        if (length == 0 || control) {
            piece = Escaped(lead);
        } else if (MisleadsReaders(event, i, length)) {
            for (size_t k = 0; k < length; ++k)
                piece += Escaped(static_cast<unsigned char>(event[i + k]));
        } else {
            piece = event.substr(i, length);
        }
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

std::string WithoutPasswords(const std::string& text) {
    std::string out;
    size_t from = 0;
    for (size_t scheme = text.find("://"); scheme != std::string::npos;
         scheme = text.find("://", from)) {
        const size_t hostStart = scheme + 3;
        const size_t end = AuthorityEnd(text, hostStart);
        // The last "@" before the host: a password may hold one itself.
        const size_t at = text.rfind('@', end == 0 ? 0 : end - 1);
        out.append(text, from, hostStart - from);
        from = at != std::string::npos && at >= hostStart && at < end ? at + 1 : hostStart;
    }
    return out.append(text, from, std::string::npos);
}

std::string AddressForLog(const std::string& url) {
    return WithoutPasswords(url);
}

}  // namespace pellinor
