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

// Why a program outside the protected folders gets no such task.
inline constexpr std::string_view kUnprotectedProgram = "程序不在 Program Files 文件夹中，不能以管理员权限在登录时启动";

}  // namespace tavrin
