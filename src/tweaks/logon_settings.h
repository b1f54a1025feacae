#pragma once
#include <cstdint>
#include <string>

namespace tavrin {

class Registry;

// Everything the logon pane's Save writes outside the settings record: the
// automatic-logon values and the three tweaks. All of it needs administrator
// rights.
struct LogonSettings {
    bool logonOn = false;
    std::string userName;
    std::string password;
    std::int16_t share = 0;  // check box values
    std::int16_t tracker = 0;
    std::int16_t autoPlay = 0;  // an AutoPlaySelector
};

// Writes it all, whatever fails on the way. Returns one line for each part
// that did not take effect, naming it and why; empty when all did.
std::string ApplyLogonSettings(Registry& registry, const LogonSettings& settings);

}  // namespace tavrin
