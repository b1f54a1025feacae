#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "script/script_command.h"

namespace tavrin {

// The running copy's answer to a command, as it travels back: the exit
// code, a line break, the text.
struct ScriptReply {
    ScriptExit exit = ScriptExit::Done;
    std::string text;
};

std::string EncodeReply(const ScriptReply& reply);
// Nothing when the bytes are no reply of ours.
std::optional<ScriptReply> DecodeReply(std::string_view bytes);

}  // namespace tavrin
