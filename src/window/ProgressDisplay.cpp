// The download's progress on the window.
#include "window/ProgressDisplay.h"

#include "text/Texts.h"
#include "window/ByteSize.h"

namespace pellinor {

void ProgressDisplay::WorkBegin(int32_t workCountMax) {
    window_.SetProgressPosition(0);
    window_.SetProgressMax(workCountMax);
    announced_ = workCountMax;
    repaints_.Repaint(window_);
}

void ProgressDisplay::Work(int32_t workCount) {
    window_.SetText(Control::Label1, Tr(TextId::DownloadingPrefix, chinese_) +
                                         FormatByteSize(workCount, decimalSeparator_) + "/" +
                                         FormatByteSize(announced_, decimalSeparator_));
    window_.SetProgressPosition(workCount);
    repaints_.Repaint(window_);
}

}  // namespace pellinor
