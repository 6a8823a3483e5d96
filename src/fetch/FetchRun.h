// One run of the support tool pellinor-fetch: the command line in, the
// lines and the exit code out, over whichever file system the build has.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ProxyConfig.h"
#include "platform/Signatures.h"

namespace pellinor {

class TlsSessions;

// The suffix of the temporary file written beside FILE before it is put in place.
extern const char* const kFetchTempSuffix;

struct FetchSite {
    FileSystem& files;
    std::function<void(const std::string&)> out;  // standard output: help and the summary line
    std::function<void(const std::string&)> err;  // standard error: progress and errors
    // The file system's name for FILE as typed; none: the same text.
    std::function<std::string(const std::string&)> localPath;
    // The user's proxy settings; none: direct unless --proxy names one.
    ProxyConfig* proxies = nullptr;
    // The system's signature checks; none: --publisher cannot be answered.
    Signatures* signatures = nullptr;
    // The system's TLS; none: https addresses are refused.
    TlsSessions* tls = nullptr;
    // Where parts of downloads are kept, as Pellinor.exe keeps them (the
    // program's folder of the local application data); empty: none kept.
    std::string dataFolder{};
};

// arguments: those after the program's name, UTF-8. Returns a FetchExit.
int RunFetch(const std::vector<std::string>& arguments, FetchSite& site);

}  // namespace pellinor
