#include "json.h"

#include "gametext.h"

#include <cstdio>

namespace Json {

std::string String(const std::string &text)
{
    std::string quoted = "\"";
    for (char c : DisplayUtf8(text)) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char escape[7];
            const unsigned code = static_cast<unsigned char>(c);
            std::snprintf(escape, sizeof escape, "\\u%04x", code);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::string Bool(bool value)
{
    return value ? "true" : "false";
}

std::string Member(const char *key, const std::string &value)
{
    return String(key) + ':' + value;
}

std::string Object(std::initializer_list<std::string> members)
{
    std::string text = "{";
    for (const std::string &member : members) {
        if (text.size() > 1)
            text += ',';
        text += member;
    }
    return text + '}';
}

} // namespace Json
