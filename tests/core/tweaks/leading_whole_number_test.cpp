#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>

#include "tweaks/leading_whole_number.h"

namespace tavrin {
namespace {

TEST(LeadingWholeNumber, TakesTheNumberATextStartsWithAndDropsItsFraction) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::string_view text;
        std::int64_t expected;
    } cases[] = {
        {"1", 1},         {"0", 0},        {"2", 2},       {" 1", 1},     {"\t 7", 7},   {"1 ", 1},
        {"1.9", 1},       {"0.9", 0},      {"-0.5", 0},    {".5", 0},     {"-1", -1},    {"+3", 3},
        {"0x1", 0},       {"2abc", 2},     {"abc2", 0},    {"", 0},       {" ", 0},      {"-", 0},
        {"+-1", 0},       {"- 1", 0},      {"00012", 12},  {"1e5", 1},    {"１", 0},
        {"999999999", 999999999},          {"99999999999999999999999", kMax},
        {"-99999999999999999999999", -kMax},                {"00000000000000000000000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingWholeNumber(c.text), c.expected) << "case: \"" << c.text << '"';
}

}  // namespace
}  // namespace tavrin
