// Beast's reading of a reply with this program's rules on its callbacks, and
// the table that gives each of its errors the user's text.
#include "http/ReplyParser.h"

#include <algorithm>
#include <boost/beast/http/error.hpp>
#include <cstring>
#include <utility>

#include "http/HttpResponseReader.h"
#include "http/SocketErrors.h"
#include "text/TextRules.h"

namespace pellinor {

namespace http = boost::beast::http;

namespace {

// A value named in an error box is cut here: the box is for a person.
constexpr size_t kShownValueBytes = 64;

// Each error of Beast's reading and the text the user reads for it. Errors
// that need a look at the field that caused them are named in ErrorText.
struct ErrorEntry {
    http::error code;
    const char* text;
    bool broken;  // text names what breaks HTTP/1.1
};
const ErrorEntry kErrorTexts[] = {
    {http::error::partial_message, kConnectionClosedGracefully, false},
    {http::error::bad_version, kBrokenStatusLine, true},
    {http::error::bad_status, kBrokenStatusLine, true},
    {http::error::bad_reason, kBrokenStatusLine, true},
    {http::error::bad_field, kBrokenFieldName, true},
    {http::error::bad_value, kBrokenFieldValue, true},
    {http::error::bad_line_ending, kBrokenLineEnd, true},
    {http::error::bad_transfer_encoding, kBrokenTransferEncoding, true},
    {http::error::bad_chunk, kBrokenChunk, false},
    {http::error::bad_chunk_extension, kBrokenChunk, false},
    {http::error::body_limit, kBodyTooLarge, false},
    // The reader never shows Beast more of a head than kMaxHeadBytes, under
    // Beast's own header limit: its limit is then only ever that of the
    // buffer in which it joins a field folded over several lines.
    {http::error::header_limit, kFoldedFieldTooLong, false},
};

bool IsTokenByte(char c) {
    return boost::beast::http::detail::is_token_char(c);
}

bool IsDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string TrimBlanks(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    return s.substr(b, s.find_last_not_of(" \t") + 1 - b);
}

// The text for a Content-Length Beast refused: the value of the field at
// the start of unparsed, folded lines joined as Beast joins them, read by
// the program's own rules.
std::string LengthErrorText(const char* unparsed, size_t size) {
    const std::string bytes(unparsed, size);
    std::string value;
    size_t pos = bytes.find(':');
    if (pos == std::string::npos) return kConflictingLengths;
    do {
        const size_t end = std::min(bytes.find("\r\n", pos + 1), bytes.size());
        const std::string part = TrimBlanks(bytes.substr(pos + 1, end - pos - 1));
        if (!part.empty()) value += (value.empty() ? "" : " ") + part;
        pos = end + 2;
    } while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\t'));
    const std::vector<std::string> items = Split(value, ',');
    for (const std::string& item : items) {
        if (!IsDigits(TrimBlanks(item)))
            return BrokenReplyText("Content-Length: " + value.substr(0, kShownValueBytes));
    }
    // A length past the bound is that bound's error however many digits
    // it takes, so that no value is read in a narrower type than it needs.
    for (const std::string& item : items) {
        std::string digits = TrimBlanks(item);
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
        if (digits.size() > 18 || std::stoull(digits.empty() ? "0" : digits) > kMaxBodyBytes)
            return kBodyTooLarge;
    }
    return kConflictingLengths;
}

}  // namespace

bool LinesFit(const char* start, const char* end) {
    for (const char* p = start; p < end;) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
        const char* stop = lf ? lf : end;
        size_t length = static_cast<size_t>(stop - p);
        if (lf && length > 0 && stop[-1] == '\r') --length;
        if (length > kMaxLineLength + (lf ? 0 : 1)) return false;
        p = stop + 1;
    }
    return true;
}

ReplyParser::ReplyParser(ResponseHead& head) : head_(head) {
    body_limit(kMaxBodyBytes);
    // The reader holds the header block to kMaxHeadBytes itself, counted
    // over interim answers too; Beast's own bound must never come first.
    header_limit(static_cast<std::uint32_t>(kMaxHeadBytes + 1));
}

void ReplyParser::AcceptLaterMinorVersion(char* start, size_t size) {
    if (size >= 8 && std::memcmp(start, "HTTP/1.", 7) == 0 && start[7] > '1' && start[7] <= '9') {
        minorDigit_ = start[7];
        start[7] = '1';
    }
}

void ReplyParser::Fail(std::string text, error_code& ec) {
    failure_ = std::move(text);
    ec = http::error::bad_value;
}

std::string ReplyParser::ErrorText(const error_code& ec, const char* unparsed, size_t size) const {
    if (!failure_.empty()) return failure_;
    if (ec == http::error::bad_content_length) {
        if (sawEncoding_) return BrokenReplyText(kLengthBesideEncoding);
        return LengthErrorText(unparsed, size);
    }
    if (ec == http::error::bad_transfer_encoding && sawLength_)
        return BrokenReplyText(kLengthBesideEncoding);
    for (const ErrorEntry& entry : kErrorTexts) {
        if (ec == entry.code) return entry.broken ? BrokenReplyText(entry.text) : entry.text;
    }
    return BrokenReplyText(ec.message());
}

void ReplyParser::on_request_impl(http::verb, string_view, string_view, int, error_code& ec) {
    ec = http::error::bad_version;  // never called for a reply
}

void ReplyParser::on_response_impl(int code, string_view reason, int version, error_code&) {
    // Beast checked the line to the byte: it is rebuilt exactly as received.
    char status[4];
    status[0] = static_cast<char>('0' + code / 100);
    status[1] = static_cast<char>('0' + code / 10 % 10);
    status[2] = static_cast<char>('0' + code % 10);
    status[3] = '\0';
    head_.statusLine = std::string("HTTP/1.") +
                       (minorDigit_ ? minorDigit_ : static_cast<char>('0' + version % 10)) + " " +
                       status + " " + std::string(reason.data(), reason.size());
    head_.status = code;
    // A later 1.x keeps its connection as 1.1 does.
    head_.keepAlive = version == 11;
    statusArrived_ = true;
}

void ReplyParser::on_field_impl(field name, string_view nameText, string_view value,
                                error_code& ec) {
    head_.headers.emplace_back(std::string(nameText.data(), nameText.size()),
                               std::string(value.data(), value.size()));
    const std::string& text = head_.headers.back().second;
    if (name == field::content_length) {
        sawLength_ = true;
    } else if (name == field::transfer_encoding) {
        sawEncoding_ = true;
        // A list of tokens, nothing else: Beast stops reading a list at
        // the first byte that is none, and what follows must not pass.
        for (const std::string& item : Split(text, ',')) {
            const std::string coding = LowerAscii(TrimBlanks(item));
            if (!std::all_of(coding.begin(), coding.end(), IsTokenByte))
                return Fail(BrokenReplyText(kBrokenTransferEncoding), ec);
            if (!coding.empty()) codings_.push_back(coding);
        }
    } else if (name == field::connection) {
        for (const std::string& item : Split(text, ',')) {
            const std::string option = LowerAscii(TrimBlanks(item));
            close_ = close_ || option == "close";
            keepAlive_ = keepAlive_ || option == "keep-alive";
        }
    }
}

void ReplyParser::on_header_impl(error_code& ec) {
    // An HTTP/1.0 server closes after the reply unless it says otherwise.
    head_.keepAlive = !close_ && (head_.keepAlive || keepAlive_);
    const int status = head_.status;
    if (sawEncoding_ && sawLength_) return Fail(BrokenReplyText(kLengthBesideEncoding), ec);
    if (status / 100 == 1 || status == 204 || status == 304) {
        framing_ = BodyFraming::None;
    } else if (sawEncoding_) {
        // Only a list that ends in "chunked" is read by chunks. Any other
        // coding is one this client never asked for and cannot undo: with
        // chunked after it the body is not the file; with chunked nowhere
        // at the end the reply runs to the close.
        if (!codings_.empty() && codings_.back() == "chunked") {
            if (codings_.size() > 1) {
                std::string list;
                for (const std::string& c : codings_) list += (list.empty() ? "" : ", ") + c;
                return Fail(BrokenReplyText(std::string(kBrokenTransferEncoding) + ": " +
                                            list.substr(0, kShownValueBytes)),
                            ec);
            }
            framing_ = BodyFraming::Chunked;
        } else {
            framing_ = BodyFraming::Close;
        }
        // Beast reads the body by what it found: both must agree.
        if ((framing_ == BodyFraming::Chunked) != chunked())
            return Fail(BrokenReplyText(kBrokenTransferEncoding), ec);
    } else {
        framing_ = sawLength_ ? BodyFraming::Length : BodyFraming::Close;
    }
    head_.complete = true;
}

std::size_t ReplyParser::on_body_impl(string_view body, error_code&) {
    receiver_->BodyBytes(body.data(), body.size());
    return body.size();
}

void ReplyParser::on_chunk_header_impl(std::uint64_t size, string_view extensions, error_code& ec) {
    const char* lineEnd = extensions.data() + extensions.size();
    if (size == 0) {
        // The last chunk's line and the trailers are one more header block,
        // under the same bounds as the reply's own; Beast has them all by now.
        const char* end = lineEnd;
        while (std::memcmp(end, "\r\n\r\n", 4) != 0) ++end;
        end += 4;
        if (!LinesFit(lineStart_, end)) return Fail(kMaxLineLengthExceeded, ec);
        if (static_cast<size_t>(end - lineStart_) > kMaxHeadBytes)
            return Fail(kHeaderBlockTooLarge, ec);
        return;
    }
    if (static_cast<size_t>(lineEnd - lineStart_) > kMaxLineLength)
        return Fail(kMaxLineLengthExceeded, ec);
    chunkSeen_ = true;
    chunkTotal_ += size;
    receiver_->ChunkBegins(size);
}

std::size_t ReplyParser::on_chunk_body_impl(std::uint64_t, string_view body, error_code&) {
    receiver_->BodyBytes(body.data(), body.size());
    // The next chunk's line starts after this data's line end.
    lineStart_ = body.data() + body.size() + 2;
    return body.size();
}

}  // namespace pellinor
