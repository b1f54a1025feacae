#include <gtest/gtest.h>

#include "app/command_line.h"

namespace tavrin {
namespace {

TEST(ArgumentString, IsEverythingAfterThePathAndOneBlank) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\Tavrin\\Tavrin.exe\" /run", "/run"},
        {"C:\\Tavrin.exe /start", "/start"},
        {"C:\\Tavrin.exe  /run", " /run"},  // a second blank belongs to the arguments
        {"C:\\Tavrin.exe /run x", "/run x"},
        {"C:\\Tavrin.exe /run ", "/run "},
        {"C:\\Tavrin.exe", ""},
        {"\"C:\\Tavrin.exe\"", ""},
        {"\"C:\\Tavrin.exe\"/run", "/run"},
        {"\"C:\\unclosed /run", ""},
        {"", ""},
        {"Tavrin.exe\t/run", "/run"},
    };
    for (const auto& [line, arguments] : cases) EXPECT_EQ(ArgumentString(line), arguments) << line;
}

TEST(HiddenStart, OnlyTheExactTwoWords) {
    EXPECT_TRUE(IsHiddenStart("/run"));
    EXPECT_TRUE(IsHiddenStart("/start"));
    for (const char* other : {"", "/Run", " /run", "/run ", "/run x", "run", "/START", "/start2", "-run"})
        EXPECT_FALSE(IsHiddenStart(other)) << other;
}

}  // namespace
}  // namespace tavrin
