#pragma once

#include <initializer_list>
#include <string>

// Just enough JSON for vkgame's output: values are built as texts and joined.
namespace Json {

// A quoted string, always valid UTF-8: text in the older Western character set of some saves is
// decoded as the windows show it (DisplayUtf8). Control characters become \u00XX.
std::string String(const std::string &text);
std::string Bool(bool value);
// "key":value, the value already JSON.
std::string Member(const char *key, const std::string &value);
std::string Object(std::initializer_list<std::string> members);

// [f(item), …] for every item of a range.
template<typename Range, typename ToJson>
std::string Array(const Range &items, ToJson toJson)
{
    std::string text = "[";
    for (const auto &item : items) {
        if (text.size() > 1)
            text += ',';
        text += toJson(item);
    }
    return text + ']';
}

} // namespace Json
