// DownloadOneFile as the window shows it, and the progress handlers.
#include "window/WindowDownload.h"

#include "log/LogEvent.h"
#include "platform/WholeFile.h"
#include "text/TextRules.h"
#include "transfer/DownloadBase.h"
#include "window/ByteSize.h"
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
    BusyCursor busy(site.window);
    site.window.SetText(Control::Label3, dest);
    const FetchOutcome outcome = FetchOneFile(site.http, url);
    // The progress events may have left their last repaint out: the window
    // shows the final state before a box or the disk can hold it up.
    site.repaints.Flush(site.window);
    if (outcome.failed) {
        LogEvent("box E0059");
        site.window.ShowMessageBox(DownloadErrorText(outcome, dest), "E0059", kStyleError);
    }
    if (outcome.whole) WriteWholeFile(site.files, dest, outcome.response.body);
    return DownloadResult(outcome);
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

void FillBlankDownloadBase(Window& window) {
    if (Trim(window.Text(Control::Edit1)).empty())
        window.SetText(Control::Edit1, DefaultDownloadBase());
}

}  // namespace pellinor
