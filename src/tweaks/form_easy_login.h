#pragma once
#include <cstdint>
#include <string>

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tavrin {

class Elevation;
class Registry;
class SetupStore;

// Automatic logon at start-up, optionally locked straight after, plus the
// sharing, shutdown-tracker and autoplay tweaks that the same Save applies.
// The logon choice is read back from Windows at load; the tweak controls
// always start from their initial states.
class FormEasyLogin : public Form {
public:
    FormEasyLogin(Registry& registry, SetupStore& store, Elevation& elevation);

    // Option groups come first: the buttons join them as they are built.
    OptionGroup LogonChoices;     // the options of Frame1
    OptionGroup AutoPlayChoices;  // the options of Frame6

    Frame Frame15;  // around everything else, the Save button included
    Frame Frame1;
    OptionButton OptionCancle;
    OptionButton OptionLogin;
    OptionButton OptionLock;
    Label Label2;
    TextBox TextUserName;
    Label Label3;
    TextBox TextUserPassWord;

    Frame Frame3;
    CheckBox CheckShareMode;
    Frame Frame4;
    CheckBox Check2003;
    Frame Frame6;
    OptionButton OptionAutoPlay;
    OptionButton OptionAllButCD;
    OptionButton OptionAllDisk;

    CommandButton CommandSave;
    Label LabelOutcome;  // what the last Save did, or could not do

    // 0 autoplay on, 1 off except optical drives, 2 off everywhere.
    std::int16_t AutoPlaySelector() const;

protected:
    void OnLoad() override;

private:
    void OptionCancle_Click();
    void OptionLogin_Click();
    void OptionLock_Click();
    void CommandSave_Click();
    void EnableAccountBoxes(bool on);

    Registry& registry_;
    SetupStore& store_;
    Elevation& elevation_;
};

// Where Windows looks for the account to log on with at boot.
inline constexpr const char* kWinlogonKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr const char* kDefaultUserName = "DefaultUserName";
inline constexpr const char* kDefaultPassword = "DefaultPassword";
inline constexpr const char* kAutoAdminLogon = "AutoadminLogon";

}  // namespace tavrin
