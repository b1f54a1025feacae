#include "elevated/logon_task_definition.h"

namespace tavrin {

namespace {

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

std::string LogonTaskDefinition(std::string_view user, std::string_view exePath) {
    const std::string who = Escaped(user);
    return "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
           "<Triggers><LogonTrigger><Enabled>true</Enabled><UserId>" +
           who +
           "</UserId></LogonTrigger></Triggers>"
           "<Principals><Principal id=\"Author\"><UserId>" +
           who +
           "</UserId>"
           "<LogonType>InteractiveToken</LogonType><RunLevel>HighestAvailable</RunLevel></Principal></Principals>"
           "<Settings><MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>"
           "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
           "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>"
           "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit><Priority>5</Priority></Settings>"
           "<Actions Context=\"Author\"><Exec><Command>" +
           Escaped(exePath) +
           "</Command>"
           "<Arguments>/run</Arguments></Exec></Actions></Task>";
}

}  // namespace tavrin
