// The default download addresses.
#include "transfer/DownloadBase.h"

#ifndef PELLINOR_DOWNLOAD_HOST
#define PELLINOR_DOWNLOAD_HOST "download.pellinor.example"
#endif
#ifndef PELLINOR_DOWNLOAD_SCHEME
#define PELLINOR_DOWNLOAD_SCHEME "http"
#endif

namespace pellinor {

std::string DefaultServerRoot() {
    return std::string(PELLINOR_DOWNLOAD_SCHEME "://") + PELLINOR_DOWNLOAD_HOST;
}

std::string DefaultDownloadBase() {
    return DefaultServerRoot() + "/V9/02/";
}

}  // namespace pellinor
