#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin {

// Where the argument string starts in a whole command line. Plain loops: the
// console launcher reads its command line with it and carries no library.
template <typename Char>
constexpr std::size_t ArgumentsStart(const Char* line, std::size_t size) {
    std::size_t i = 0;
    if (size > 0 && line[0] == '"') {
        for (i = 1; i < size && line[i] != '"'; ++i) {
        }
        if (i < size) ++i;  // the closing quote
    } else {
        while (i < size && line[i] != ' ' && line[i] != '\t') ++i;
    }
    if (i < size && (line[i] == ' ' || line[i] == '\t')) ++i;
    return i;
}

// The argument string of a whole command line: everything after the
// program's path (quoted or not) and the one blank that separates them,
// untrimmed.
std::string ArgumentString(std::string_view commandLine);

// "/run" and "/start", exactly: the start from the Run entry.
bool IsHiddenStart(std::string_view arguments);

// The hidden start that a command from a script makes when no copy runs:
// like "/run", but it never locks the workstation.
inline constexpr std::string_view kResidentStart = "/resident";

}  // namespace tavrin
