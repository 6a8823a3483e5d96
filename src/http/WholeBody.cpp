// The one rule that decides whether a downloaded body is a whole file.
#include "http/HttpResponse.h"

namespace pellinor {

namespace {
// The smallest announced size that counts. Every file the program fetches
// (the lock program, the setup program, the SDK archive) is far larger; a
// body under a kilobyte is an error page or a placeholder, never the file.
constexpr uint64_t kSmallestAcceptedFile = 1024;
}  // namespace

bool IsBodyWhole(const HttpResponse& response) {
    if (!response.complete) return false;
    switch (response.framing) {
        case BodyFraming::Length:
            // complete means every announced byte arrived, and no more
            // came: the body is exactly what the server said.
        case BodyFraming::Chunked:
            // Only the zero-size chunk proves the end (complete), and every
            // chunk's data ended where its size said: announced is the sum
            // of the sizes, and the whole of it must be a file's size. The
            // size of the last data chunk says nothing: a file rarely
            // divides into the chunks a server cuts.
            return response.announced >= kSmallestAcceptedFile &&
                   response.BodySize() == response.announced;
        case BodyFraming::Close:
            // A close looks the same whether the server finished or the line
            // was cut: such a body can never be known to be whole.
        case BodyFraming::None:
            return false;
    }
    return false;
}

}  // namespace pellinor
