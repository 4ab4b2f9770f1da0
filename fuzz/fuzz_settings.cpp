#include "settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

// Whatever the file holds, the settings that come out are within the ranges the window relies on.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    const TStartupSettings s = ReadStartupSettings(in);
    if (s.WindowTop < -20 || s.WindowTop > 1024)
        abort();
    if (s.WindowLeft < -1280 || s.WindowLeft > 1280)
        abort();
    if (s.WindowWidth < 640 || s.WindowWidth > 2000)
        abort();
    if (s.WindowHeight < 443 || s.WindowHeight > 2000)
        abort();
    if (s.BoardSize < 0 || s.BoardSize > 5)
        abort();
    return 0;
}
