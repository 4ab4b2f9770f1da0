#include "settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// The four boxes of the settings dialog hold one line each; the fuzzer's bytes are split into
// them at line feeds, which a one-line box cannot hold. A line longer than the file allows ends
// the reading by the file's own rules, so the boxes hold no more than fits.
constexpr size_t BoxLength = 200;

struct Typed {
    std::string texts[4];
};

Typed Split(const std::string &bytes)
{
    Typed typed;
    size_t box = 0;
    for (char c : bytes) {
        if (c == '\n') {
            if (++box == 4)
                break;
            continue;
        }
        if (typed.texts[box].size() < BoxLength)
            typed.texts[box] += c;
    }
    return typed;
}

// A box holding a plain decimal number, as the dialog fills it in.
bool PlainNumber(const std::string &text, int32_t &value)
{
    if (text.empty() || text.size() > 6)
        return false;
    for (size_t i = text[0] == '-' ? 1 : 0; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    if (text == "-")
        return false;
    value = std::stoi(text);
    return true;
}

void Check(const std::string &typed, int32_t read, int32_t low, int32_t high, int32_t fallback)
{
    if (read != fallback && (read < low || read > high))
        abort();
    int32_t number = 0;
    if (PlainNumber(typed, number) && read != (number < low || number > high ? fallback : number))
        abort();
}

} // namespace

// Whatever is typed into the settings dialog, the file it writes reads back to the same
// maximise flag and board size, a plain number to itself (or its default when out of range),
// and anything else to a value within range.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const bool windowMax = data[0] & 1;
    const int boardSize = (data[0] >> 1) % 6;
    const Typed typed = Split(std::string(reinterpret_cast<const char *>(data) + 1, size - 1));
    std::ostringstream out;
    WriteStartupSettings(
        out,
        {windowMax, typed.texts[0], typed.texts[1], typed.texts[2], typed.texts[3], boardSize});
    std::istringstream in(out.str());
    const TStartupSettings read = ReadStartupSettings(in);
    if (read.WindowMax != windowMax || read.BoardSize != boardSize)
        abort();
    Check(typed.texts[0], read.WindowTop, -20, 1024, 0);
    Check(typed.texts[1], read.WindowLeft, -1280, 1280, 0);
    Check(typed.texts[2], read.WindowWidth, 640, 2000, 640);
    Check(typed.texts[3], read.WindowHeight, 443, 2000, 443);
    return 0;
}
