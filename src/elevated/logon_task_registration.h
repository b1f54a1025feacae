#pragma once
#include <string>
#include <string_view>

namespace tavrin {

class Application;
class LogonTask;

// Creates `user`'s logon task for this program, with full rights, directly:
// only for a program in a folder no one but administrators may change, since
// anyone who could replace it would run with those rights. Returns why it
// was not created; empty when it was.
std::string RegisterLogonTask(LogonTask& task, const Application& app, std::string_view user);

}  // namespace tavrin
