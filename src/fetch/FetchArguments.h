// The command line of the support tool pellinor-fetch: what it is asked
// for, the help text and the exit codes.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace pellinor {

// How a run of the tool ended; one code for each way, so that a script or
// the person on the phone can tell them apart without reading the text.
enum FetchExit : int {
    kFetchWhole = 0,       // the body is whole (and was written, if FILE was named)
    kFetchNotWhole = 1,    // the download's -1: nothing raised, yet no whole file
    kFetchFailed = 2,      // the download's -59: the error of the E0059 box
    kFetchUsage = 3,       // a wrong command line, or an address that cannot be encoded
    kFetchNotWritten = 4,  // whole, but FILE could not be written or put in place
    kFetchRefused = 5,     // written, but the publisher keys of --publisher refuse it
    kFetchCrashed = 6,     // a fault ended the tool at once (Windows only)
};

// A command line that asks for nothing the tool can do.
class UsageError : public std::runtime_error {
  public:
    explicit UsageError(const std::string& problem) : std::runtime_error(problem) {}
};

struct FetchArguments {
    bool help = false;
    std::string url;
    std::string file;      // empty: nothing is written
    std::string proxy;     // --proxy host:port: this proxy for every request
    bool noProxy = false;  // --no-proxy: direct, whatever the user's settings say
    bool log = false;      // --log: the support log's lines on standard error too
    bool afresh = false;   // --afresh: the part kept of URL is removed first
    // --publisher CERT (any number): FILE held to these certificates' keys,
    // as a Pellinor.exe built with them would hold it.
    std::vector<std::string> publishers;
    // --from EARLIER: the smaller files first, as the upgrade of EARLIER
    // asks for them: its patch, the compressed file, then URL itself.
    std::string from;
};

// The arguments after the program's name. Throws UsageError.
FetchArguments ParseFetchArguments(const std::vector<std::string>& arguments);

// The text of --help, ending in a line end.
std::string FetchUsage();

// The exit code for what DownloadOneFile would have returned (0, -1, -59).
int FetchExitCode(int downloadResult);

}  // namespace pellinor
