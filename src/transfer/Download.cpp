// DownloadOneFile, the fetch it shares with the support tool, and the
// progress handlers: the body is fetched into memory and reaches the disk
// only when the whole of it arrived.
#include "transfer/Download.h"

#include <exception>

#include "log/LogEvent.h"
#include "log/LogLine.h"
#include "platform/WholeFile.h"
#include "transfer/ByteSize.h"
#include "transfer/RequestBounds.h"
#include "transfer/TransferLog.h"
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

FetchOutcome FetchOneFile(HttpClient& http, const std::string& url) {
    FetchOutcome outcome;
    const HttpUrl encoded = EncodeUrl(url);
    outcome.encodedUrl = encoded.Text();
    LogEvent("download begins url=" + AddressForLog(outcome.encodedUrl));
    try {
        http.Get(encoded, outcome.response);
    } catch (const RequestStopped&) {
        // Never a piece of a file, even one whose body had all arrived
        // (a stop in a chunked body's trailers): the user said stop.
        outcome.stopped = true;
        LogEvent(DownloadLogLine(outcome));
        return outcome;
    } catch (const std::exception& e) {
        outcome.failed = true;
        outcome.error = e.what();
    }
    // A failure box and a success never come together: an error anywhere
    // in the reply, past the body's end too, leaves nothing written.
    outcome.whole = !outcome.failed && IsBodyWhole(outcome.response);
    LogEvent(DownloadLogLine(outcome));
    return outcome;
}

std::string DownloadErrorText(const FetchOutcome& outcome, const std::string& dest) {
    return outcome.error + "\n\n" + outcome.encodedUrl + "\n" + dest;
}

int DownloadResult(const FetchOutcome& outcome) {
    if (outcome.stopped) return kDownloadStopped;
    if (outcome.whole) return kDownloadOk;
    return outcome.failed ? kDownloadFailed : kDownloadIncomplete;
}

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

}  // namespace pellinor
