// The syntax of one reply (status line, fields, Content-Length and
// Transfer-Encoding, chunk lines, trailers), read by Boost.Beast's HTTP/1.1
// parser. What is this program's own sits on its callbacks: the head as the
// client keeps it, the framing rules Beast leaves open, the limits of chunk
// lines and trailers, and the texts of its errors.
#pragma once

#include <boost/beast/http/basic_parser.hpp>
#include <cstdint>
#include <string>
#include <vector>

#include "http/HttpResponse.h"

namespace pellinor {

// The longest value of a field folded over several lines: Beast joins such
// a value in a buffer of this size and refuses one that does not fit. No
// real server folds at all any more, let alone a value of kilobytes.
constexpr size_t kLongestFoldedField = boost::beast::http::detail::basic_parser_base::max_obs_fold;

struct ResponseHead;

// Where the parser hands a body.
class BodyReceiver {
  public:
    // Before the data of each chunk that holds any.
    virtual void ChunkBegins(uint64_t size) = 0;
    // The next piece of the body; data points into the bytes being parsed.
    virtual void BodyBytes(const char* data, size_t size) = 0;

  protected:
    ~BodyReceiver() = default;
};

class ReplyParser final : public boost::beast::http::basic_parser<false> {
  public:
    // Fills head as the reply's head is read.
    explicit ReplyParser(ResponseHead& head);
    // Where the body goes; needed before the first put past the head.
    void SetReceiver(BodyReceiver* receiver) { receiver_ = receiver; }

    // Beast reads HTTP/1.0 and HTTP/1.1 only, where a later 1.x is to be
    // read as 1.1: the minor digit of such a status line is read as "1"
    // (and kept in the status line). Call before the first byte is put.
    void AcceptLaterMinorVersion(char* start, size_t size);
    // Bytes before the first line of what is still to come in the body:
    // the line end of the last chunk's data.
    size_t LineEndBefore() const { return chunkSeen_ ? 2 : 0; }
    // Where the next put begins: the line of the next chunk starts there,
    // after the line end of the data before it when a chunk came already.
    void PutBegins(const char* start) { lineStart_ = start + (chunkSeen_ ? 2 : 0); }
    bool StatusArrived() const { return statusArrived_; }
    BodyFraming Framing() const { return framing_; }
    // The sum of the chunk sizes so far.
    uint64_t ChunkTotal() const { return chunkTotal_; }

    // The user's text for an error put gave; unparsed are the bytes from
    // the point where it stopped.
    std::string ErrorText(const boost::beast::error_code& ec, const char* unparsed,
                          size_t size) const;

  private:
    using error_code = boost::beast::error_code;
    using string_view = boost::beast::string_view;
    using field = boost::beast::http::field;

    void Fail(std::string text, error_code& ec);

    void on_request_impl(boost::beast::http::verb, string_view, string_view, int,
                         error_code& ec) override;
    void on_response_impl(int code, string_view reason, int version, error_code& ec) override;
    void on_field_impl(field name, string_view nameText, string_view value,
                       error_code& ec) override;
    void on_header_impl(error_code& ec) override;
    void on_body_init_impl(const boost::optional<std::uint64_t>&, error_code&) override {}
    std::size_t on_body_impl(string_view body, error_code& ec) override;
    void on_chunk_header_impl(std::uint64_t size, string_view extensions, error_code& ec) override;
    std::size_t on_chunk_body_impl(std::uint64_t remain, string_view body, error_code& ec) override;
    void on_finish_impl(error_code&) override {}

    ResponseHead& head_;
    BodyReceiver* receiver_ = nullptr;
    char minorDigit_ = 0;  // of a later 1.x, as received
    bool statusArrived_ = false;
    bool sawLength_ = false;
    bool sawEncoding_ = false;
    std::vector<std::string> codings_;  // of every Transfer-Encoding, in order, lower case
    bool close_ = false;                // "close" among the Connection options
    bool keepAlive_ = false;            // "keep-alive" among them
    BodyFraming framing_ = BodyFraming::None;
    std::string failure_;  // the program's own text for the error it set
    const char* lineStart_ = nullptr;
    bool chunkSeen_ = false;
    uint64_t chunkTotal_ = 0;
};

// Whether every line from start to end, CR LF apart, is at most
// kMaxLineLength bytes; the last one may lack its end and hold one byte
// more (its CR, perhaps).
bool LinesFit(const char* start, const char* end);

}  // namespace pellinor
