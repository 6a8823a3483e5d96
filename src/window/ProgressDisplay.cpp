// The download's progress on the window.
#include "window/ProgressDisplay.h"

#include "text/Texts.h"
#include "window/ByteSize.h"

namespace pellinor {

void ProgressDisplay::WorkBegin(int32_t workCountMax) {
    window_.SetProgressPosition(0);
    window_.SetProgressMax(workCountMax);
    fileSize_ = workCountMax;
    repaints_.Repaint(window_);
}

void ProgressDisplay::Work(int32_t workCount) {
    const auto announced = static_cast<int32_t>(static_cast<uint32_t>(fileSize_ & 0xFFFFFFFF));
    window_.SetText(Control::Label1, Tr(TextId::DownloadingPrefix, chinese_) +
                                         FormatByteSize(workCount, decimalSeparator_) + "/" +
                                         FormatByteSize(announced, decimalSeparator_));
    window_.SetProgressPosition(workCount);
    repaints_.Repaint(window_);
}

}  // namespace pellinor
