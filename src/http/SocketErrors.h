// The texts of transfer failures as the user reads them; socket failures
// are named by their Windows numbers on both builds.
#pragma once

#include <boost/system/error_code.hpp>
#include <string>

#include "platform/SocketErrorNumbers.h"

namespace pellinor {

extern const char* const kConnectTimedOut;             // "Connect timed out."
extern const char* const kConnectionClosedGracefully;  // "Connection Closed Gracefully."
extern const char* const kIoHandlerNotValid;           // an "https" address
extern const char* const kMaxLineLengthExceeded;       // a status or header line too long
extern const char* const kUnknownProtocol;             // neither "http" nor "https"
extern const char* const kReadTimeout;                 // an open connection fell silent
// A host written as an IPv6 literal ("[::1]"): the client speaks IPv4 only.
extern const char* const kIpv6NotSupported;
// What a broken or hostile server can send that no whole file ever comes with.
extern const char* const kHeaderBlockTooLarge;
extern const char* const kHeaderBlockTooSlow;  // past kHeadTimeLimit
extern const char* const kDownloadTooSlow;     // past kDownloadTimeLimit
extern const char* const kBodyTooLarge;
extern const char* const kConflictingLengths;
extern const char* const kBrokenChunk;
// A field folded over several lines to more than kLongestFoldedField.
extern const char* const kFoldedFieldTooLong;
// Bytes after a reply's end, by its length or its last chunk: the
// announcement lied, and what arrived cannot be taken for the whole.
extern const char* const kMoreThanAnnounced;
// A reply whose syntax breaks HTTP/1.1: this text followed by what broke
// (one of the kBroken... parts below, or "Content-Length: " and the value).
extern const char* const kBrokenReply;
extern const char* const kBrokenStatusLine;
extern const char* const kBrokenFieldName;
extern const char* const kBrokenFieldValue;
extern const char* const kBrokenLineEnd;
extern const char* const kBrokenTransferEncoding;
extern const char* const kLengthBesideEncoding;
std::string BrokenReplyText(const std::string& what);

// "Socket Error # <n>\r\n<text>"; the text is empty for numbers without one.
std::string SocketErrorMessage(int windowsNumber);

[[noreturn]] void RaiseSocketError(const boost::system::error_code& ec);

}  // namespace pellinor
