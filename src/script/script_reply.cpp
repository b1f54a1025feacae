#include "script/script_reply.h"

namespace tavrin {

std::string EncodeReply(const ScriptReply& reply) {
    return std::to_string(static_cast<int>(reply.exit)) + "\n" + reply.text;
}

std::optional<ScriptReply> DecodeReply(std::string_view bytes) {
    if (bytes.size() < 2 || bytes[1] != '\n' || bytes[0] < '0' || bytes[0] > '4') return std::nullopt;
    return ScriptReply{static_cast<ScriptExit>(bytes[0] - '0'), std::string(bytes.substr(2))};
}

}  // namespace tavrin
