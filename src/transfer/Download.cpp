// DownloadOneFile and the progress handlers: the body is fetched into memory
// and reaches the disk only when the whole of it arrived.
#include "transfer/Download.h"

#include <exception>

#include "transfer/ByteSize.h"
#include "transfer/UrlEncode.h"
#include "window/Texts.h"

namespace pellinor {
namespace {

// The hourglass for the whole download, taken back on every way out,
// an error that propagates included.
class BusyCursor {
  public:
    explicit BusyCursor(Window& window) : window_(window) { window_.SetBusyCursor(true); }
    ~BusyCursor() { window_.SetBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    Window& window_;
};

}  // namespace

int DownloadOneFile(DownloadSite& site, const std::string& url, const std::string& dest) {
    int errorCode = kDownloadIncomplete;
    BusyCursor busy(site.window);
    site.window.SetText(Control::Label3, dest);
    HttpResponse response;
    // An address that cannot be encoded is the caller's error, not a failed download.
    const std::string encoded = EncodeUrl(url);
    try {
        site.http.Get(encoded, response);
    } catch (const std::exception& e) {
        site.repaints.Flush(site.window);
        site.window.MessageBox(std::string(e.what()) + "\n\n" + encoded + "\n" + dest, "E0059",
                               kStyleError);
        errorCode = kDownloadFailed;
    }
    // The progress events may have left their last repaint out.
    site.repaints.Flush(site.window);
    // Also after an error: one raised past the body's end (in a chunked
    // body's trailers, say) leaves a whole file that is still worth having.
    if (IsBodyWhole(response)) {
        site.files.WriteFile(dest, response.body);
        errorCode = kDownloadOk;
    }
    return errorCode;
}

void ShowWorkBegin(Window& window, RepaintThrottle& repaints, int64_t& fileSize,
                   int32_t workCountMax) {
    window.SetProgressPosition(0);
    window.SetProgressMax(workCountMax);
    fileSize = workCountMax;
    repaints.Repaint(window);
}

void ShowWork(Window& window, RepaintThrottle& repaints, int64_t fileSize, int32_t workCount,
              bool chinese, const std::string& decimalSeparator) {
    const auto announced = static_cast<int32_t>(static_cast<uint32_t>(fileSize & 0xFFFFFFFF));
    window.SetText(Control::Label1, Tr(TextId::DownloadingPrefix, chinese) +
                                        FormatByteSize(workCount, decimalSeparator) + "/" +
                                        FormatByteSize(announced, decimalSeparator));
    window.SetProgressPosition(workCount);
    repaints.Repaint(window);
}

}  // namespace pellinor
