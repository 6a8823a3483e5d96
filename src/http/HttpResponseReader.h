// Reading one HTTP response from a connection: the status line, the header
// block and the body (by length, by chunks or up to the close), with the
// progress events the window follows.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "http/HttpResponse.h"
#include "http/HttpTransport.h"
#include "http/ReplyParser.h"
#include "platform/ScratchFile.h"

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
// After a whole body on a connection the server closes, the client waits
// this long at most for the close: a byte that comes first shows that the
// length (or the last chunk) lied, as a stale length or a proxy that
// rewrote a body does, sending the rest right behind (within the same
// segment or some 200 ms later). A good server's close follows its last
// byte at once, so the wait costs nothing there; a server that holds the
// connection open despite "Connection: close" costs one second, not the
// silence limit. A kept-open connection is not waited on: bytes already
// there show the lie at once, and later ones keep the next request off it.
constexpr std::chrono::milliseconds kTrailingBytesWait{1000};
constexpr size_t kWorkBlock = 32768;  // the most one work event reports
constexpr size_t kReadSize = 262144;  // the most one receive asks for
// The most of a kept body held in memory once it has a scratch file: past
// this the bytes move to the file, so that a download costs the oldest PC
// about this much memory (and one read more) whatever the file's size,
// while the file is written in a few large pieces.
constexpr size_t kBodyHeldInMemory = size_t{1} << 20;

struct ResponseHead {
    std::string statusLine;  // as received, without CR LF
    int status = -1;         // -1 until a status line arrived
    std::vector<std::pair<std::string, std::string>> headers;
    bool complete = false;   // the empty line that ends the block arrived
    bool keepAlive = false;  // by the version and the Connection options

    // The first value of a header (name without case), trimmed; empty when absent.
    std::string Header(const std::string& name) const;
    std::vector<std::string> Headers(const std::string& name) const;
    // Whether the server keeps the connection open after this response.
    bool KeepAlive() const { return keepAlive; }
};

struct BodyResult {
    BodyFraming framing = BodyFraming::None;
    uint64_t announced = 0;  // the length, or the sum of the chunk sizes
    bool complete = false;   // the body's end was seen: its length, its last chunk, or the close
    bool reusable = false;   // the connection stands right before the next response
};

class ReplyParser;

class HttpResponseReader : private BodyReceiver {
  public:
    HttpResponseReader(HttpTransport& connection, const HttpEvents& events);
    ~HttpResponseReader();
    HttpResponseReader(HttpResponseReader&&) noexcept;
    HttpResponseReader& operator=(HttpResponseReader&&) = delete;

    // False when the connection closed before a single byte arrived.
    // Interim responses (1xx other than 101) are read past. Raises
    // "Connection Closed Gracefully." for a close within the status line,
    // "Max line length exceeded." for a line over 16384 bytes, its own
    // text for a block over kMaxHeadBytes, and the text of what breaks
    // HTTP/1.1 for a head that does.
    bool ReadHead(ResponseHead& head);

    // Reads the body into sink (or throws it away when sink is null).
    // A body of more than kMaxBodyBytes, disagreeing lengths, broken chunks
    // and bytes after the body's end raise their own texts; a body kept in
    // sink is complete only when none of them came. With a scratch file,
    // sink's bytes move on to its end whenever sink holds kBodyHeldInMemory.
    void ReadBody(const ResponseHead& head, std::string* sink, BodyResult& result,
                  ScratchFile* scratch = nullptr);

    uint64_t BytesReceived() const { return received_; }
    // Bytes arrived past what was read so far (after a head, none is due
    // before the next request, e.g. after a proxy's answer to a CONNECT).
    bool HasUnreadBytes() const { return pos_ < pending_.size(); }
    // The body's bytes the last ReadBody took, kept or thrown away (for the log).
    uint64_t BodyBytesRead() const { return bodyBytes_; }

  private:
    bool ReadOneHead(ResponseHead& head);
    // Reads up to size bytes (the head in work-sized pieces: what comes
    // along with it is reported as one piece) onto pending_; 0 when the
    // peer closed.
    size_t Fill(size_t size = kWorkBlock);
    void Begin(int64_t workCountMax);
    void Work(uint64_t count);
    // Reports arrived bytes on top of count in work-sized blocks; the new count.
    uint64_t Report(uint64_t count, size_t arrived);
    // Receives up to want bytes onto the end of bytes; 0 when the peer closed.
    size_t ReceiveOnto(std::string& bytes, size_t want);
    // The same for a body, whose room grows by ReserveBody's rule.
    size_t ReceiveBody(std::string& body, size_t want, uint64_t expected);
    // Parses the bytes of pending_ from pos_ on; true once the reply ended.
    bool PutPending();
    // Parses the arrived bytes just received onto the end of body, where
    // they stay as body; true once the reply ended.
    bool ParseInBody(std::string& body, size_t arrived);
    // Whether bytes arrive after the reply's end before the server's close.
    bool BytesFollow(bool keepAlive);
    // The size to reserve the body's memory for when it heads for total.
    uint64_t Expected(uint64_t total) const;
    void ChunkBegins(uint64_t size) override;
    void BodyBytes(const char* data, size_t size) override;

    HttpTransport& connection_;
    const HttpEvents& events_;
    std::unique_ptr<ReplyParser> parser_;  // of the reply being read
    std::string pending_;                  // bytes read, not parsed yet, from pos_ on
    size_t pos_ = 0;
    uint64_t bodyBytes_ = 0;
    uint64_t received_ = 0;
    size_t headBytes_ = 0;  // of the block being read, interim answers included
    // The body's reading: where it goes (null: thrown away), and during a
    // put of bytes received straight into it, where its next byte goes.
    std::string* sink_ = nullptr;
    bool inPlace_ = false;
    bool trailersBegun_ = false;  // the last chunk's line came: trailers are timed
    char* out_ = nullptr;
    uint64_t count_ = 0;      // reported since the last workBegin
    uint64_t chunkLeft_ = 0;  // of the chunk being read
    uint64_t expected_ = 0;   // the size the body is heading for, 0 when unknown
    bool scratched_ = false;  // sink_ is emptied into a scratch file: it never grows past it
};

// Appends to a body that will hold about expected bytes (0 when unknown). The
// buffer grows with the data: an announced size is taken up to 8 MiB at once
// and in full only once an eighth of it has arrived, so that a false
// announcement reserves little and a true one costs few copies.
void AppendBody(std::string& body, const char* data, size_t size, uint64_t expected);
// Gives body the capacity for need bytes by the same rule, without adding any.
void ReserveBody(std::string& body, size_t need, uint64_t expected);

}  // namespace pellinor
