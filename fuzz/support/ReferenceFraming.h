// A second reading of one HTTP response, written apart from the client's
// streaming reader: it sees the reply's bytes all at once and says what the
// body is and whether it was completely received. The fuzz target compares
// the client's result with it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pellinor::fuzz {

enum class Framing { NoBody, Length, Chunked, ToClose };

struct ReferenceResponse {
    bool hasStatus = false;  // a status line arrived
    bool lineTooLong = false;
    bool headTooLarge = false;  // the header block ran past its bound
    bool partialHead = false;   // the bytes ended inside a head
    std::string statusLine;
    int status = -1;
    bool headComplete = false;  // a whole final head, read by the book
    std::vector<std::pair<std::string, std::string>> headers;
    Framing framing = Framing::NoBody;
    std::string body;        // as far as the bytes go
    bool complete = false;   // the body's end is among the bytes
    size_t end = 0;          // where the reply ends
    uint64_t announced = 0;  // the length, or the sum of the chunk sizes
    // The text the client must raise: what breaks HTTP/1.1, two lengths,
    // chunks that break, a bound passed, bytes after the announced end.
    // Empty when the reply gives no such reason.
    std::string error;
    // The body may be written: no error, its end arrived, it is exactly as
    // long as announced, and the announcement is at least the smallest file.
    bool Whole() const;

    std::string Header(const std::string& name) const;
    bool IsRedirect() const;
    // A final answer whose body the client keeps.
    bool IsSuccess() const;
};

// endIsClose: the bytes end with the server's close (not a reset), which
// ends a body that has neither a length nor chunks.
ReferenceResponse ReadReference(const std::string& bytes, bool endIsClose);

}  // namespace pellinor::fuzz
