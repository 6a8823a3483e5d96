// The wall-clock time of the place the program runs in, for the support log:
// a line is read by someone on the phone with the hotel, who thinks in the
// hotel's time, and the offset makes it comparable with a server's log.
#pragma once

namespace pellinor {

struct LocalTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int utcOffsetMinutes = 0;  // local time minus UTC: +60 in Paris in winter
};

// Now, with the offset in force now. Each build has its own (win32/, posix/).
LocalTime LocalTimeNow();

}  // namespace pellinor
