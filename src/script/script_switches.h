#pragma once
#include <cstddef>

namespace tavrin {

// The switches of a command from a script. Plain arrays and loops: the
// console launcher reads them too and carries no library.
inline constexpr const char* kScriptSwitches[] = {"/action",   "/in",   "/at",     "/daily",  "/remind",
                                                  "/noremind", "/save", "/cancel", "/status", "/?"};

// True when the text is one of the switches, ASCII letter case aside.
template <typename Char>
constexpr bool IsScriptSwitch(const Char* text, std::size_t size) {
    for (const char* name : kScriptSwitches) {
        std::size_t i = 0;
        for (; i < size && name[i] != '\0'; ++i) {
            const Char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<Char>(text[i] - 'A' + 'a') : text[i];
            if (c != static_cast<Char>(name[i])) break;
        }
        if (i == size && name[i] == '\0') return true;
    }
    return false;
}

// True when the arguments start with a switch: blanks before it skipped, and
// quotes in it dropped as the command's reader drops them.
template <typename Char>
constexpr bool StartsWithScriptSwitch(const Char* arguments, std::size_t size) {
    Char first[12] = {};
    std::size_t length = 0, i = 0;
    while (i < size && (arguments[i] == ' ' || arguments[i] == '\t')) ++i;
    for (bool quoted = false; i < size && (quoted || (arguments[i] != ' ' && arguments[i] != '\t')); ++i) {
        if (arguments[i] == '"')
            quoted = !quoted;
        else if (length == sizeof first / sizeof first[0])
            return false;  // longer than any switch
        else
            first[length++] = arguments[i];
    }
    return IsScriptSwitch(first, length);
}

}  // namespace tavrin
