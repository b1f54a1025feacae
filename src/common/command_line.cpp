#include "common/command_line.h"

namespace tavrin {

std::string ArgumentString(std::string_view line) {
    return std::string(line.substr(ArgumentsStart(line.data(), line.size())));
}

bool IsHiddenStart(std::string_view arguments) { return arguments == "/run" || arguments == "/start"; }

}  // namespace tavrin
