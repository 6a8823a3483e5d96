// Reading one HTTP response from a connection: the status line, the header
// block and the body (by length, by chunks or up to the close), with the
// progress events the window follows.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "transfer/HttpClient.h"
#include "transfer/HttpTransport.h"

namespace pellinor {

// A status or header line longer than this is refused with the client's
// "Max line length exceeded." text.
constexpr size_t kMaxLineLength = 16384;
// The most one header block may hold, counting the status line, the header
// lines, blank lines and interim responses before it, or a chunked body's
// trailers. Real servers send a few KiB and refuse more than 8 to 64 KiB
// themselves; anything far past that is a stream of lines meant to keep the
// client reading (each header costs some 80 bytes of memory when held).
constexpr size_t kMaxHeadBytes = size_t{256} << 10;
// The largest body read, also one that is only thrown away (a redirect's,
// an error page's). The lock program is well under 1 MiB, so this leaves
// room for anything real while staying far inside the 2 GiB that the
// 32-bit program can address; it is checked against an announced length
// before anything is read and against the running count otherwise.
constexpr uint64_t kMaxBodyBytes = uint64_t{256} << 20;
constexpr size_t kWorkBlock = 32768;  // the most one work event reports
constexpr size_t kReadSize = 262144;  // the most one receive asks for

struct ResponseHead {
    std::string statusLine;  // as received, without CR LF
    int status = -1;         // -1 when the line names no status
    std::vector<std::pair<std::string, std::string>> headers;
    bool complete = false;  // the empty line that ends the block arrived

    // The first value of a header (name without case), trimmed; empty when absent.
    std::string Header(const std::string& name) const;
    std::vector<std::string> Headers(const std::string& name) const;
    // Whether the server keeps the connection open after this response.
    bool KeepAlive() const;
};

struct BodyResult {
    BodyFraming framing = BodyFraming::None;
    uint64_t announced = 0;  // the length, or the size of the last chunk that held data
    bool complete = false;   // the body's end was seen: its length, its last chunk, or the close
    bool reusable = false;   // the connection stands right before the next response
};

class HttpResponseReader {
  public:
    HttpResponseReader(HttpTransport& connection, const HttpEvents& events);

    // False when the connection closed before a single byte arrived.
    // Interim responses (1xx other than 101) are read past. Raises
    // "Connection Closed Gracefully." for a close within the status line,
    // "Max line length exceeded." for a line over 16384 bytes, and its own
    // text for a block over kMaxHeadBytes.
    bool ReadHead(ResponseHead& head);

    // Reads the body into sink (or throws it away when sink is null).
    // result.complete is set before an error is raised after the body's end.
    // A body of more than kMaxBodyBytes, disagreeing lengths and chunk data
    // not followed by its line end raise their own texts.
    // timeLimit, when not zero, bounds the whole reading of a body that
    // runs up to the close.
    void ReadBody(const ResponseHead& head, std::string* sink, BodyResult& result,
                  std::chrono::milliseconds timeLimit = {});

    uint64_t BytesReceived() const { return received_; }

  private:
    bool ReadLine(std::string& line);
    // A line of the header block or the trailers, counted against kMaxHeadBytes.
    bool ReadHeadLine(std::string& line);
    bool ReadOneHead(ResponseHead& head);
    size_t Fill();
    void Begin(int64_t workCountMax);
    void Work(uint64_t count);
    // Reports arrived bytes on top of count in work-sized blocks; the new count.
    uint64_t Report(uint64_t count, size_t arrived);
    // Moves what the header block brought along, up to max bytes, to sink.
    uint64_t TakePending(std::string* sink, uint64_t max, uint64_t expected);
    // Receives up to want bytes onto the end of body; 0 when the peer closed.
    size_t ReceiveBody(std::string& body, size_t want, uint64_t expected);
    // Reads a body of known size; false when the peer closed before its end.
    bool ReadCounted(std::string* sink, uint64_t size, uint64_t expected);
    void ReadChunked(std::string* sink, BodyResult& result);
    void ReadToClose(std::string* sink, BodyResult& result, std::chrono::milliseconds timeLimit);

    HttpTransport& connection_;
    const HttpEvents& events_;
    std::string pending_;  // bytes read ahead, from pos_ on
    size_t pos_ = 0;
    uint64_t received_ = 0;
    size_t lastLineBytes_ = 0;  // the last line with its line end
    size_t headBytes_ = 0;      // of the block being read
    std::vector<char> block_;
};

// Appends to a body that will hold about expected bytes (0 when unknown). The
// buffer grows with the data: an announced size is taken up to 8 MiB at once
// and in full only once an eighth of it has arrived, so that a false
// announcement reserves little and a true one costs few copies.
void AppendBody(std::string& body, const char* data, size_t size, uint64_t expected);
// Gives body the capacity for need bytes by the same rule, without adding any.
void ReserveBody(std::string& body, size_t need, uint64_t expected);

}  // namespace pellinor
