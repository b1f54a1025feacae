#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

enum class Hive { CurrentUser, LocalMachine, ClassesRoot };
enum class RegStatus { Ok, AccessDenied, Failed };

// One open key. Names are UTF-8 and, as on Windows, not case-sensitive.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Size of the stored data in bytes; 0 when the value is missing.
    virtual std::size_t ValueSize(std::string_view name) = 0;
    // The value's data, whatever its type, cut to at most maxBytes.
    virtual std::optional<std::vector<std::uint8_t>> ReadBytes(std::string_view name, std::size_t maxBytes) = 0;
    // A text value up to its terminating zero, cut to at most maxChars
    // characters. A value of another type reads as no text.
    virtual std::optional<std::string> ReadText(std::string_view name, std::size_t maxChars) = 0;

    virtual RegStatus WriteText(std::string_view name, std::string_view text) = 0;
    virtual RegStatus WriteDword(std::string_view name, std::uint32_t value) = 0;
    virtual RegStatus WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) = 0;
    // A value that is not there counts as deleted.
    virtual RegStatus DeleteValue(std::string_view name) = 0;
};

// Why a write did not happen, in the user's words.
inline std::string_view RegFailureText(RegStatus status) {
    return status == RegStatus::AccessDenied ? "拒绝访问" : "无法写入注册表";
}

class Registry {
public:
    virtual ~Registry() = default;
    // Opens the key, creating it when missing; nullptr when neither works.
    // The key is closed when the returned object goes.
    virtual std::unique_ptr<RegistryKey> OpenKey(Hive hive, std::string_view path) = 0;
};

}  // namespace tavrin
