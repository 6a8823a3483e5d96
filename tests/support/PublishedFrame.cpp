// zstd frames as scripts/publish makes them.
#include "support/PublishedFrame.h"

#include <zstd.h>

#include <algorithm>

namespace pellinor {

std::string PublishedFrame(const std::string& content, const std::string& reference, bool checksum,
                           bool contentSize) {
    ZSTD_CCtx* const context = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(context, ZSTD_c_compressionLevel, 19);
    ZSTD_CCtx_setParameter(context, ZSTD_c_checksumFlag, checksum);
    ZSTD_CCtx_setParameter(context, ZSTD_c_contentSizeFlag, contentSize);
    if (!reference.empty()) {
        int windowLog = 10;
        while ((size_t{1} << windowLog) < std::max(content.size(), reference.size())) ++windowLog;
        ZSTD_CCtx_setParameter(context, ZSTD_c_windowLog, windowLog + 1);
        ZSTD_CCtx_refPrefix(context, reference.data(), reference.size());
    }
    std::string frame(ZSTD_compressBound(content.size()), '\0');
    frame.resize(ZSTD_compress2(context, &frame[0], frame.size(), content.data(), content.size()));
    ZSTD_freeCCtx(context);
    return frame;
}

}  // namespace pellinor
