#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

struct TimeServer {
    std::string_view host;
    std::string_view location;
};

inline constexpr std::size_t kServerCount = 12;
extern const std::array<TimeServer, kServerCount> kServerTable;

// Rows 0..11; any other row has neither host nor location.
std::string ServerHost(std::int16_t row);
std::string ServerLocation(std::int16_t row);

}  // namespace tavrin
