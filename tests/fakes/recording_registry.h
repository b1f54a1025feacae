#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ports/registry.h"

namespace tavrin::testing {

// Passes every call on to another registry and notes, in order, the keys
// opened and closed and the values touched: "open HKLM\path", "write name",
// "delete name", "read name", "size name", "close HKLM\path".
class RecordingRegistry final : public Registry {
public:
    explicit RecordingRegistry(Registry& inner) : inner_(inner) {}
    std::vector<std::string> trace;

    std::unique_ptr<RegistryKey> OpenKey(Hive hive, std::string_view path) override {
        static const char* const kRoots[] = {"HKCU", "HKLM", "HKCR"};
        const std::string where = kRoots[static_cast<int>(hive)] + ("\\" + std::string(path));
        auto key = inner_.OpenKey(hive, path);
        trace.push_back((key ? "open " : "open failed ") + where);
        return key ? std::make_unique<Key>(std::move(key), trace, where) : nullptr;
    }

private:
    class Key final : public RegistryKey {
    public:
        Key(std::unique_ptr<RegistryKey> inner, std::vector<std::string>& trace, std::string where)
            : in_(std::move(inner)), trace_(trace), where_(std::move(where)) {}
        ~Key() override { trace_.push_back("close " + where_); }

        std::size_t ValueSize(std::string_view n) override { return Note("size", n), in_->ValueSize(n); }
        std::optional<std::vector<std::uint8_t>> ReadBytes(std::string_view n, std::size_t max) override {
            return Note("read", n), in_->ReadBytes(n, max);
        }
        std::optional<std::string> ReadText(std::string_view n, std::size_t max) override {
            return Note("read", n), in_->ReadText(n, max);
        }
        RegStatus WriteText(std::string_view n, std::string_view v) override { return Note("write", n), in_->WriteText(n, v); }
        RegStatus WriteDword(std::string_view n, std::uint32_t v) override { return Note("write", n), in_->WriteDword(n, v); }
        RegStatus WriteBinary(std::string_view n, std::span<const std::uint8_t> v) override {
            return Note("write", n), in_->WriteBinary(n, v);
        }
        RegStatus DeleteValue(std::string_view n) override { return Note("delete", n), in_->DeleteValue(n); }

    private:
        void Note(const char* what, std::string_view name) { trace_.push_back(what + (" " + std::string(name))); }
        std::unique_ptr<RegistryKey> in_;
        std::vector<std::string>& trace_;
        std::string where_;
    };

    Registry& inner_;
};

}  // namespace tavrin::testing
