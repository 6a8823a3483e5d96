// The default download addresses.
#include "transfer/DownloadBase.h"

#ifndef PELLINOR_DOWNLOAD_HOST
#define PELLINOR_DOWNLOAD_HOST "download.pellinor.example"
#endif
#ifndef PELLINOR_DOWNLOAD_SCHEME
#define PELLINOR_DOWNLOAD_SCHEME "http"
#endif

namespace pellinor {

namespace {
// The folder where the maker's server keeps the newest lock program and
// setup programs of the line this program serves (the SDK archives sit at
// the server's root instead): fixed on the server's side, not ours to choose.
constexpr const char* kReleaseFolder = "/V9/02/";
}  // namespace

std::string DefaultServerRoot() {
    return std::string(PELLINOR_DOWNLOAD_SCHEME "://") + PELLINOR_DOWNLOAD_HOST;
}

std::string DefaultDownloadBase() {
    return DefaultServerRoot() + kReleaseFolder;
}

}  // namespace pellinor
