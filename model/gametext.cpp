#include "gametext.h"

#include "util.h"

#include <array>
#include <cstdint>

namespace {

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not a valid one: no overlong
// forms, no surrogates, nothing beyond U+10FFFF.
size_t SequenceLength(std::string_view text, size_t i)
{
    const auto byte = [&text](size_t k) {
        return static_cast<unsigned char>(text[k]);
    };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xbf)
            return 0;
    return length;
}

// Windows-1252 bytes 0x80 … 0x9f; the unused ones map to the control characters of their number.
constexpr std::array<uint16_t, 32> Cp1252High = {
    0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178,
};

void AppendUtf8(std::string &out, uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xc0 | (code >> 6));
        out += char(0x80 | (code & 0x3f));
    } else {
        out += char(0xe0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    }
}

// What Windows does not allow in a file name, control characters included.
bool ForbiddenInFileName(char c)
{
    return static_cast<unsigned char>(c) < 0x20
        || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

} // namespace

bool IsValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t length = SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

size_t CharacterCount(std::string_view text)
{
    if (!IsValidUtf8(text))
        return text.size();
    size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xc0) != 0x80)
            ++count;
    return count;
}

std::string DisplayUtf8(std::string_view text)
{
    if (IsValidUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte <= 0x9f ? Cp1252High[byte - 0x80] : byte);
    }
    return out;
}

CleanedFileName CleanFileName(std::string_view typed)
{
    const std::string trimmed = Trim(std::string(typed));
    CleanedFileName cleaned;
    for (char c : trimmed)
        if (!ForbiddenInFileName(c) && !(c == '.' && cleaned.name.empty()))
            cleaned.name += c;
    cleaned.removedCharacters = cleaned.name.size() != trimmed.size();
    return cleaned;
}
