#include "elevated/elevated_call.h"

#include <charconv>
#include <vector>

namespace tavrin {

namespace {

constexpr std::string_view kSwitch = "/elevated";
constexpr char kAccountSeparator = '\0';  // no text box can hold it

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        words.push_back(text.substr(0, blank));
        if (blank == std::string_view::npos) break;
        text.remove_prefix(blank + 1);
    }
    return words;
}

template <class T>
std::optional<T> Number(std::string_view word, T low, T high) {
    T value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end != word.data() + word.size() || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<ElevatedOperation> ParseOperation(const std::vector<std::string_view>& w) {
    if (w.size() == 5 && w[0] == "logon") {
        const auto on = Number<int>(w[1], 0, 1);
        const auto share = Number<std::int16_t>(w[2], 0, 1);
        const auto tracker = Number<std::int16_t>(w[3], 0, 1);
        const auto autoPlay = Number<std::int16_t>(w[4], 0, 2);
        if (!on || !share || !tracker || !autoPlay) return std::nullopt;
        return LogonRequest{{*on == 1, {}, {}, *share, *tracker, *autoPlay}};
    }
    if (w.size() == 3 && w[0] == "clock") {
        // Beyond any calendar date the clock can take; nothing near overflow.
        constexpr std::int64_t kLatest = 1'000'000'000'000;
        const auto utc = Number<std::int64_t>(w[1], 0, kLatest);
        const auto readAt = Number<std::int64_t>(w[2], 0, kLatest);
        if (!utc || !readAt) return std::nullopt;
        return ClockRequest{*utc, *readAt};
    }
    if ((w.size() == 2 || w.size() == 3) && w[0] == "task" && (w[1] == "0" || w[1] == "1")) {
        if (w.size() == 3 && w[2].empty()) return std::nullopt;
        return TaskRequest{w[1] == "1", w.size() == 3 ? std::string(w[2]) : std::string{}};
    }
    return std::nullopt;
}

}  // namespace

std::string FormatOperation(const ElevatedOperation& operation) {
    struct Format {
        std::string operator()(const LogonRequest& r) const {
            const LogonSettings& s = r.settings;
            return "logon " + std::string(s.logonOn ? "1 " : "0 ") + std::to_string(s.share) + " " +
                   std::to_string(s.tracker) + " " + std::to_string(s.autoPlay);
        }
        std::string operator()(const ClockRequest& r) const {
            return "clock " + std::to_string(r.utcSeconds) + " " + std::to_string(r.readAtMs);
        }
        std::string operator()(const TaskRequest& r) const {
            return std::string(r.present ? "task 1" : "task 0") + (r.user.empty() ? "" : " " + r.user);
        }
    };
    return std::visit(Format{}, operation);
}

std::string ElevatedArguments(std::string_view channel, std::string_view operation) {
    return std::string(kSwitch) + " " + std::string(channel) + " " + std::string(operation);
}

bool IsElevatedCall(std::string_view arguments) {
    return arguments.substr(0, kSwitch.size()) == kSwitch &&
           (arguments.size() == kSwitch.size() || arguments[kSwitch.size()] == ' ');
}

std::optional<ElevatedCall> ParseElevatedCall(std::string_view arguments) {
    if (!IsElevatedCall(arguments)) return std::nullopt;
    std::vector<std::string_view> words = Words(arguments);
    if (words.size() < 3 || words[1].empty()) return std::nullopt;
    const std::string channel(words[1]);
    words.erase(words.begin(), words.begin() + 2);
    auto operation = ParseOperation(words);
    if (!operation) return std::nullopt;
    return ElevatedCall{channel, std::move(*operation)};
}

std::string LogonInput(const LogonSettings& settings) {
    return settings.userName + kAccountSeparator + settings.password;
}

bool ReadLogonInput(std::string_view input, LogonSettings& settings) {
    const std::size_t separator = input.find(kAccountSeparator);
    if (separator == std::string_view::npos) return false;
    settings.userName = input.substr(0, separator);
    settings.password = input.substr(separator + 1);
    return true;
}

}  // namespace tavrin
