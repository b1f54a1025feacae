#pragma once
#include <string>

#include "ports/application.h"

namespace tavrin::testing {

class FakeApplication final : public Application {
public:
    std::string directory = "C:\\Program Files\\Tavrin";
    std::string arguments;
    bool previousInstance = false, protectedFolder = true, onUsersDesktop = true;

    std::string ExeDirectory() const override { return directory; }
    std::string ExeBaseName() const override { return "Tavrin"; }
    bool InProtectedFolder() const override { return protectedFolder; }
    std::string Arguments() const override { return arguments; }
    bool OnUsersDesktop() const override { return onUsersDesktop; }
    bool PreviousInstance() const override { return previousInstance; }
    void End() override { ++ended; }
    int ended = 0;
};

}  // namespace tavrin::testing
