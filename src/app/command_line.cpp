#include "app/command_line.h"

namespace tavrin {

std::string ArgumentString(std::string_view line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    }
    if (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return std::string(line.substr(i));
}

bool IsHiddenStart(std::string_view arguments) { return arguments == "/run" || arguments == "/start"; }

}  // namespace tavrin
