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
    bool hasStatus = false;  // a status line arrived, after any empty lines
    bool lineTooLong = false;
    bool headTooLarge = false;  // the header block (or the trailers) ran past its bound
    std::string statusLine;
    int status = -1;
    bool headComplete = false;  // the empty line after the headers arrived
    std::vector<std::pair<std::string, std::string>> headers;
    Framing framing = Framing::NoBody;
    std::string body;        // as far as the bytes go
    bool complete = false;   // the body's end is among the bytes
    uint64_t announced = 0;  // the length, or the size of the last chunk with data
    // The text the client must raise for what the body holds: two lengths,
    // chunk data that does not end where its size says, a body over the
    // bound. Empty when the body gives no such reason.
    std::string error;
    // The body may be written: its end arrived, it is exactly as long as
    // announced, and the announcement is at least the smallest file.
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
