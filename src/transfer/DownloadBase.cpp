// The default download addresses.
#include "transfer/DownloadBase.h"

#include "text/TextRules.h"

#ifndef PELLINOR_DOWNLOAD_HOST
#define PELLINOR_DOWNLOAD_HOST "download.pellinor.example"
#endif

namespace pellinor {

std::string DefaultServerRoot() {
    return std::string("http://") + PELLINOR_DOWNLOAD_HOST;
}

std::string DefaultDownloadBase() {
    return DefaultServerRoot() + "/V9/02/";
}

void FillBlankDownloadBase(Window& window) {
    if (Trim(window.Text(Control::Edit1)).empty())
        window.SetText(Control::Edit1, DefaultDownloadBase());
}

}  // namespace pellinor
