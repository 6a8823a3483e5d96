// One line of the support log: the moment, then the event, as text that any
// editor shows and that cannot break into two lines or carry a secret.
#pragma once

#include <cstddef>
#include <string>

#include "platform/LocalTime.h"

namespace pellinor {

// The longest event a line keeps; the rest is cut and marked "...". A
// server's status line and a shortcut's folder end up in lines, and a
// hostile server may send a status line as long as the client's header
// limit: support reads lines that fit a few screens, and 2 KiB holds any
// ordinary folder (260 characters, at most 780 UTF-8 bytes) with the words
// around it.
constexpr size_t kMaxEventBytes = 2048;

// "2026-12-07 17:40:13.123 +01:00 " followed by the event and "\r\n" (the
// line end that Notepad on Windows 7 shows). The event is made safe first
// (SafeEventText).
std::string FormatLogLine(const LocalTime& when, const std::string& event);

// The event as the log writes it: control bytes (line ends, tabs, escape),
// every other character some reader breaks a line at (the C1 controls,
// U+2028, U+2029), the invisible ones that reorder or hide text (the bidi
// controls U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069, and the
// BOM U+FEFF) and bytes that are not UTF-8 become "\xNN", so that one
// event is one line of valid UTF-8 whatever a server sent; every address's
// "user:password@" is left out (WithoutPasswords); cut at kMaxEventBytes
// with "...".
std::string SafeEventText(const std::string& event);

// The text with the "user:password@" before the host of every address in
// it ("scheme://" up to the path) left out: the log never holds a password,
// whether typed into the download base, a command line or anywhere else.
std::string WithoutPasswords(const std::string& text);

// An address as the log names it: without its "user:password@".
std::string AddressForLog(const std::string& url);

}  // namespace pellinor
