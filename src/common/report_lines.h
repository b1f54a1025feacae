#pragma once
#include <string>
#include <string_view>

namespace tavrin {

// A report of what could not be done, one line for each thing.
inline void AddLine(std::string& report, std::string_view line) {
    if (!report.empty()) report += '\n';
    report += line;
}

}  // namespace tavrin
