#include "tdatetime.h"

namespace {
char Base36(int digit)
{
    return char(digit < 10 ? '0' + digit : 'a' + digit - 10);
}
} // namespace

std::string TimeStamp(const TDateTime &time)
{
    int units = (time.hour * 3600 + time.minute * 60 + time.second) / 2;
    std::string stamp;
    stamp += Base36(time.year % 10);
    stamp += Base36(time.month);
    stamp += Base36(time.day);
    stamp += Base36(units / 1296);
    stamp += Base36(units / 36 % 36);
    stamp += Base36(units % 36);
    return stamp;
}
