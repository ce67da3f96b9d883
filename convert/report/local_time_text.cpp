#include "convert/report/local_time_text.h"

#include <cstdio>

#include "platform/clock.h"

namespace convert {

std::string LocalDateTimeText() {
    const platform::CalendarDate date = platform::InstalledClock().LocalDate();
    const platform::TimeOfDay time = platform::InstalledClock().LocalTime();
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{date.year}, unsigned{date.month},
                  unsigned{date.day}, unsigned{time.hour}, unsigned{time.minute}, unsigned{time.second});
    return text;
}

}  // namespace convert
