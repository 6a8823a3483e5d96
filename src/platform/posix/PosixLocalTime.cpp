// The local time with its offset, for the native build's tools and tests.
#include <sys/time.h>

#include <ctime>

#include "platform/LocalTime.h"

namespace pellinor {

LocalTime LocalTimeNow() {
    struct timeval tv {};
    ::gettimeofday(&tv, nullptr);
    const time_t seconds = tv.tv_sec;
    struct tm local {};
    ::localtime_r(&seconds, &local);
    LocalTime now;
    now.year = local.tm_year + 1900;
    now.month = local.tm_mon + 1;
    now.day = local.tm_mday;
    now.hour = local.tm_hour;
    now.minute = local.tm_min;
    now.second = local.tm_sec;
    now.millisecond = static_cast<int>(tv.tv_usec / 1000);
    now.utcOffsetMinutes = static_cast<int>(local.tm_gmtoff / 60);
    return now;
}

}  // namespace pellinor
