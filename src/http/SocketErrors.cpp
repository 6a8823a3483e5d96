// Socket error numbers and texts shown in the download error box.
#include "http/SocketErrors.h"

#include <utility>

#include "platform/Error.h"
#include "platform/SocketErrorNumbers.h"

namespace pellinor {

const char* const kConnectTimedOut = "Connect timed out.";
const char* const kConnectionClosedGracefully = "Connection Closed Gracefully.";
const char* const kIoHandlerNotValid = "IOHandler value is not valid";
const char* const kMaxLineLengthExceeded = "Max line length exceeded.";
const char* const kUnknownProtocol = "Unknown Protocol";
const char* const kReadTimeout = "Read Timeout";
const char* const kIpv6NotSupported = "IPv6 addresses such as [::1] are not supported.";
const char* const kHeaderBlockTooLarge = "The server sent a header block of more than 256 KB.";
const char* const kHeaderBlockTooSlow = "The server took more than 60 s over a header block.";
const char* const kDownloadTooSlow = "The download took more than 30 minutes and was given up.";
const char* const kBodyTooLarge = "The server sent or announced more than 256 MB.";
const char* const kConflictingLengths = "The server announced two different lengths.";
const char* const kBrokenChunk = "The server broke the chunked transfer.";
const char* const kFoldedFieldTooLong = "The server sent a folded header field of more than 4 KB.";
const char* const kMoreThanAnnounced = "The server sent more bytes than it announced.";
const char* const kBrokenReply = "The server sent a reply that breaks HTTP/1.1: ";
const char* const kBrokenStatusLine = "the status line";
const char* const kBrokenFieldName = "a field name";
const char* const kBrokenFieldValue = "a field value";
const char* const kBrokenLineEnd = "a line end that is not CR LF";
const char* const kBrokenTransferEncoding = "Transfer-Encoding";
const char* const kLengthBesideEncoding = "Transfer-Encoding beside Content-Length";

namespace {

const std::pair<int, const char*> kTexts[] = {
    {10004, "Interrupted system call."},
    {10009, "Bad file number."},
    {10013, "Access denied."},
    {10014, "Bad address."},
    {10022, "Invalid argument."},
    {10024, "Too many open files."},
    {10035, "Operation would block. "},
    {10036, "Operation now in progress."},
    {10037, "Operation already in progress."},
    {10038, "Socket operation on non-socket."},
    {10039, "Destination address required."},
    {10040, "Message too long."},
    {10041, "Protocol wrong type for socket."},
    {10042, "Bad protocol option."},
    {10043, "Protocol not supported."},
    {10044, "Socket type not supported."},
    {10045, "Operation not supported on socket."},
    {10046, "Protocol family not supported."},
    {10047, "Address family not supported by protocol family."},
    {10048, "Address already in use."},
    {10049, "Cannot assign requested address."},
    {10050, "Network is down."},
    {10051, "Network is unreachable."},
    {10052, "Net dropped connection or reset."},
    {10053, "Software caused connection abort."},
    {10054, "Connection reset by peer."},
    {10055, "No buffer space available."},
    {10056, "Socket is already connected."},
    {10057, "Socket is not connected."},
    {10058, "Cannot send or receive after socket is closed."},
    {10059, "Too many references, cannot splice."},
    {10060, "Connection timed out."},
    {10061, "Connection refused."},
    {10062, "Too many levels of symbolic links."},
    {10063, "File name too long."},
    {10064, "Host is down."},
    {10065, "No route to host."},
    {10066, "Directory not empty"},
    {11001, "Host not found."},
};

}  // namespace

std::string SocketErrorMessage(int number) {
    std::string message = "Socket Error # " + std::to_string(number) + "\r\n";
    for (const auto& entry : kTexts) {
        if (entry.first == number) message += entry.second;
    }
    return message;
}

std::string BrokenReplyText(const std::string& what) {
    return kBrokenReply + what;
}

void RaiseSocketError(const boost::system::error_code& ec) {
    throw Error(SocketErrorMessage(WindowsSocketError(ec)));
}

}  // namespace pellinor
