#pragma once
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ports/registry.h"

namespace tavrin::testing {

// An in-memory registry that keeps exact bytes and types. A hive can refuse
// writes (a user without administrator rights) or refuse to open at all.
class FakeRegistry final : public Registry {
public:
    enum class Type { Text, Dword, Binary };
    struct Value {
        Type type;
        std::vector<std::uint8_t> bytes;  // texts: UTF-8 with the terminating zero
    };

    void DenyWrites(Hive h) { readOnly_.insert(h); }
    void DenyOpen(Hive h) { closed_.insert(h); }

    std::unique_ptr<RegistryKey> OpenKey(Hive hive, std::string_view path) override {
        return closed_.count(hive) ? nullptr : std::make_unique<Key>(*this, hive, std::string(path));
    }

    // Direct access for tests: the stored value, or nothing.
    const Value* Find(Hive h, std::string_view key, std::string_view name) const {
        const auto it = values_.find(MakeId(h, key, name));
        return it == values_.end() ? nullptr : &it->second;
    }
    bool Has(Hive h, std::string_view key, std::string_view name) const { return Find(h, key, name) != nullptr; }
    std::optional<std::string> Text(Hive h, std::string_view key, std::string_view name) const {
        const Value* v = Find(h, key, name);
        if (!v || v->type != Type::Text) return std::nullopt;
        const std::string s(v->bytes.begin(), v->bytes.end());
        return s.substr(0, s.find('\0'));
    }
    std::optional<std::uint32_t> Dword(Hive h, std::string_view key, std::string_view name) const {
        const Value* v = Find(h, key, name);
        if (!v || v->type != Type::Dword || v->bytes.size() != 4) return std::nullopt;
        std::uint32_t r = 0;
        std::memcpy(&r, v->bytes.data(), 4);
        return r;
    }
    std::optional<std::vector<std::uint8_t>> Binary(Hive h, std::string_view key, std::string_view name) const {
        const Value* v = Find(h, key, name);
        return v && v->type == Type::Binary ? std::optional(v->bytes) : std::nullopt;
    }
    void Put(Hive h, std::string_view key, std::string_view name, Type type, std::vector<std::uint8_t> bytes) {
        values_[MakeId(h, key, name)] = Value{type, std::move(bytes)};
    }
    void PutText(Hive h, std::string_view key, std::string_view name, std::string_view text) {
        Put(h, key, name, Type::Text, TextBytes(text));
    }
    void PutDword(Hive h, std::string_view key, std::string_view name, std::uint32_t v) {
        Put(h, key, name, Type::Dword, DwordBytes(v));
    }
    void PutBinary(Hive h, std::string_view key, std::string_view name, std::vector<std::uint8_t> bytes) {
        Put(h, key, name, Type::Binary, std::move(bytes));
    }
    // Successful writes and deletions, in order: "HKLM\\key: write name", "HKCU\\key: delete name".
    std::vector<std::string> log;

private:
    class Key final : public RegistryKey {
    public:
        Key(FakeRegistry& reg, Hive hive, std::string path) : reg_(reg), hive_(hive), path_(std::move(path)) {}

        std::size_t ValueSize(std::string_view name) override {
            const Value* v = reg_.Find(hive_, path_, name);
            return v ? v->bytes.size() : 0;
        }
        std::optional<std::vector<std::uint8_t>> ReadBytes(std::string_view name, std::size_t maxBytes) override {
            const Value* v = reg_.Find(hive_, path_, name);
            if (!v) return std::nullopt;
            return std::vector<std::uint8_t>(v->bytes.begin(), v->bytes.begin() + std::min(maxBytes, v->bytes.size()));
        }
        std::optional<std::string> ReadText(std::string_view name, std::size_t maxChars) override {
            const auto text = reg_.Text(hive_, path_, name);
            return text ? std::optional(text->substr(0, maxChars)) : std::nullopt;
        }
        RegStatus WriteText(std::string_view name, std::string_view text) override {
            return Write(name, Type::Text, TextBytes(text));
        }
        RegStatus WriteDword(std::string_view name, std::uint32_t value) override {
            return Write(name, Type::Dword, DwordBytes(value));
        }
        RegStatus WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) override {
            return Write(name, Type::Binary, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        }
        RegStatus DeleteValue(std::string_view name) override {
            if (reg_.readOnly_.count(hive_)) return RegStatus::AccessDenied;
            reg_.values_.erase(MakeId(hive_, path_, name));
            return Note("delete", name);
        }

    private:
        RegStatus Write(std::string_view name, Type type, std::vector<std::uint8_t> bytes) {
            if (reg_.readOnly_.count(hive_)) return RegStatus::AccessDenied;
            reg_.Put(hive_, path_, name, type, std::move(bytes));
            return Note("write", name);
        }
        RegStatus Note(const char* what, std::string_view name) {
            static const char* const kRoots[] = {"HKCU", "HKLM", "HKCR"};
            reg_.log.push_back(kRoots[static_cast<int>(hive_)] + ("\\" + path_) + ": " + what + " " +
                               std::string(name));
            return RegStatus::Ok;
        }
        FakeRegistry& reg_;
        Hive hive_;
        std::string path_;
    };

    using Id = std::tuple<Hive, std::string, std::string>;
    static std::string Lower(std::string_view s) {
        std::string r(s);
        std::transform(r.begin(), r.end(), r.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return r;
    }
    static Id MakeId(Hive h, std::string_view key, std::string_view name) { return {h, Lower(key), Lower(name)}; }
    static std::vector<std::uint8_t> TextBytes(std::string_view text) {
        std::vector<std::uint8_t> b(text.begin(), text.end());
        b.push_back(0);
        return b;
    }
    static std::vector<std::uint8_t> DwordBytes(std::uint32_t v) {
        std::vector<std::uint8_t> b(4);
        std::memcpy(b.data(), &v, 4);
        return b;
    }

    std::map<Id, Value> values_;
    std::set<Hive> readOnly_;
    std::set<Hive> closed_;
};

}  // namespace tavrin::testing
