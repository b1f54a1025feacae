#pragma once
#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ports/registry.h"

namespace tavrin::testing {

// An in-memory registry that keeps exact bytes and types, names compared
// without case. A hive can refuse writes (a user without administrator
// rights) or refuse to open at all.
class FakeRegistry final : public Registry {
public:
    using Name = std::string_view;
    using Bytes = std::vector<std::uint8_t>;
    enum class Type { Text, Dword, Binary };
    struct Value {
        Type type;
        Bytes bytes;  // texts: UTF-8 with the terminating zero; DWORDs: little-endian
    };

    void DenyWrites(Hive h) { readOnly_.insert(h); }
    void DenyOpen(Hive h) { closed_.insert(h); }
    std::unique_ptr<RegistryKey> OpenKey(Hive hive, Name path) override {
        return closed_.count(hive) ? nullptr : std::make_unique<Key>(*this, hive, std::string(path));
    }

    // Direct access for tests: the stored value, or nothing; the typed reads
    // find nothing where the value has another type.
    const Value* Find(Hive h, Name key, Name name) const {
        const auto it = values_.find(Id(h, key, name));
        return it == values_.end() ? nullptr : &it->second;
    }
    bool Has(Hive h, Name key, Name name) const { return Find(h, key, name) != nullptr; }
    std::optional<Bytes> Binary(Hive h, Name key, Name name, Type type = Type::Binary) const {
        const Value* v = Find(h, key, name);
        return v && v->type == type ? std::optional(v->bytes) : std::nullopt;
    }
    std::optional<std::string> Text(Hive h, Name key, Name name) const {
        const auto b = Binary(h, key, name, Type::Text);
        return b ? std::optional(std::string(b->begin(), std::find(b->begin(), b->end(), 0))) : std::nullopt;
    }
    std::optional<std::uint32_t> Dword(Hive h, Name key, Name name) const {
        const auto b = Binary(h, key, name, Type::Dword);
        if (!b || b->size() != 4) return std::nullopt;
        return (*b)[0] | (*b)[1] << 8 | (*b)[2] << 16 | std::uint32_t{(*b)[3]} << 24;
    }
    void Put(Hive h, Name key, Name name, Type type, Bytes bytes) { values_[Id(h, key, name)] = {type, bytes}; }
    void PutText(Hive h, Name key, Name name, Name text) { Put(h, key, name, Type::Text, TextBytes(text)); }
    void PutDword(Hive h, Name key, Name name, std::uint32_t v) { Put(h, key, name, Type::Dword, DwordBytes(v)); }
    void PutBinary(Hive h, Name key, Name name, Bytes bytes) { Put(h, key, name, Type::Binary, bytes); }
    // Successful writes and deletions, in order: "HKLM\\key: write name", "HKCU\\key: delete name".
    std::vector<std::string> log;

private:
    class Key final : public RegistryKey {
    public:
        Key(FakeRegistry& reg, Hive hive, std::string path) : reg_(reg), hive_(hive), path_(std::move(path)) {}

        std::size_t ValueSize(Name name) override {
            const Value* v = reg_.Find(hive_, path_, name);
            return v ? v->bytes.size() : 0;
        }
        std::optional<Bytes> ReadBytes(Name name, std::size_t max) override {
            const Value* v = reg_.Find(hive_, path_, name);
            if (!v) return std::nullopt;
            return Bytes(v->bytes.begin(), v->bytes.begin() + std::min(max, v->bytes.size()));
        }
        std::optional<std::string> ReadText(Name name, std::size_t maxChars) override {
            const auto text = reg_.Text(hive_, path_, name);
            return text ? std::optional(text->substr(0, maxChars)) : std::nullopt;
        }
        RegStatus WriteText(Name name, Name text) override { return Write(name, Value{Type::Text, TextBytes(text)}); }
        RegStatus WriteDword(Name name, std::uint32_t v) override {
            return Write(name, Value{Type::Dword, DwordBytes(v)});
        }
        RegStatus WriteBinary(Name name, std::span<const std::uint8_t> b) override {
            return Write(name, Value{Type::Binary, Bytes(b.begin(), b.end())});
        }
        RegStatus DeleteValue(Name name) override { return Write(name, std::nullopt); }

    private:
        // No value: a deletion.
        RegStatus Write(Name name, std::optional<Value> value) {
            static const char* const kRoots[] = {"HKCU", "HKLM", "HKCR"};
            if (reg_.readOnly_.count(hive_)) return RegStatus::AccessDenied;
            const auto id = Id(hive_, path_, name);
            value ? void(reg_.values_[id] = *value) : void(reg_.values_.erase(id));
            reg_.log.push_back(kRoots[static_cast<int>(hive_)] + ("\\" + path_) + (value ? ": write " : ": delete ") +
                               std::string(name));
            return RegStatus::Ok;
        }
        FakeRegistry& reg_;
        Hive hive_;
        std::string path_;
    };

    static std::pair<Hive, std::string> Id(Hive h, Name key, Name name) {
        std::string id = std::string(key) + '\0' + std::string(name);
        for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return {h, id};
    }
    static Bytes TextBytes(Name text) {
        const std::string s(text);
        return Bytes(s.c_str(), s.c_str() + s.size() + 1);
    }
    static Bytes DwordBytes(std::uint32_t v) {
        return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    }

    std::map<std::pair<Hive, std::string>, Value> values_;
    std::set<Hive> readOnly_;
    std::set<Hive> closed_;
};

}  // namespace tavrin::testing
