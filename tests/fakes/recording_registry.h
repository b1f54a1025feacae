#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ports/registry.h"

namespace tavrin::testing {

// Passes every call on to another registry and writes down, in order, which
// keys were opened and closed and which values were touched:
// "open HKLM\path", "close HKLM\path", "read name", "write name", "delete name".
class RecordingRegistry final : public Registry {
public:
    explicit RecordingRegistry(Registry& inner) : inner_(inner) {}
    std::vector<std::string> trace;

    std::unique_ptr<RegistryKey> OpenKey(Hive hive, std::string_view path) override {
        const std::string where = HiveName(hive) + "\\" + std::string(path);
        auto key = inner_.OpenKey(hive, path);
        if (!key) {
            trace.push_back("open failed " + where);
            return nullptr;
        }
        trace.push_back("open " + where);
        return std::make_unique<Key>(std::move(key), trace, where);
    }

    static std::string HiveName(Hive hive) {
        switch (hive) {
            case Hive::CurrentUser: return "HKCU";
            case Hive::LocalMachine: return "HKLM";
            case Hive::ClassesRoot: return "HKCR";
        }
        return "?";
    }

private:
    class Key final : public RegistryKey {
    public:
        Key(std::unique_ptr<RegistryKey> inner, std::vector<std::string>& trace, std::string where)
            : inner_(std::move(inner)), trace_(trace), where_(std::move(where)) {}
        ~Key() override { trace_.push_back("close " + where_); }

        std::size_t ValueSize(std::string_view name) override {
            Note("size", name);
            return inner_->ValueSize(name);
        }
        std::optional<std::vector<std::uint8_t>> ReadBytes(std::string_view name, std::size_t maxBytes) override {
            Note("read", name);
            return inner_->ReadBytes(name, maxBytes);
        }
        std::optional<std::string> ReadText(std::string_view name, std::size_t maxChars) override {
            Note("read", name);
            return inner_->ReadText(name, maxChars);
        }
        RegStatus WriteText(std::string_view name, std::string_view text) override {
            Note("write", name);
            return inner_->WriteText(name, text);
        }
        RegStatus WriteDword(std::string_view name, std::uint32_t value) override {
            Note("write", name);
            return inner_->WriteDword(name, value);
        }
        RegStatus WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) override {
            Note("write", name);
            return inner_->WriteBinary(name, bytes);
        }
        RegStatus DeleteValue(std::string_view name) override {
            Note("delete", name);
            return inner_->DeleteValue(name);
        }

    private:
        void Note(const char* what, std::string_view name) { trace_.push_back(std::string(what) + " " + std::string(name)); }
        std::unique_ptr<RegistryKey> inner_;
        std::vector<std::string>& trace_;
        std::string where_;
    };

    Registry& inner_;
};

}  // namespace tavrin::testing
