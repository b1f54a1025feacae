#pragma once
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>

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
    void AllowAll() { readOnly_.clear(); closed_.clear(); }

    std::unique_ptr<RegistryKey> OpenKey(Hive hive, std::string_view path) override;

    // Direct access for tests: the stored value, or nothing.
    const Value* Find(Hive h, std::string_view key, std::string_view name) const;
    std::optional<std::string> Text(Hive h, std::string_view key, std::string_view name) const;
    std::optional<std::uint32_t> Dword(Hive h, std::string_view key, std::string_view name) const;
    std::optional<std::vector<std::uint8_t>> Binary(Hive h, std::string_view key, std::string_view name) const;
    void Put(Hive h, std::string_view key, std::string_view name, Type type, std::vector<std::uint8_t> bytes);
    void PutText(Hive h, std::string_view key, std::string_view name, std::string_view text);
    void PutDword(Hive h, std::string_view key, std::string_view name, std::uint32_t v);
    void PutBinary(Hive h, std::string_view key, std::string_view name, std::vector<std::uint8_t> bytes);
    bool Has(Hive h, std::string_view key, std::string_view name) const { return Find(h, key, name) != nullptr; }
    std::size_t ValueCount() const { return values_.size(); }
    int writes = 0;  // successful writes and deletions

private:
    class Key;
    using Id = std::tuple<Hive, std::string, std::string>;
    static std::string Lower(std::string_view s) {
        std::string r(s);
        std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return r;
    }
    static Id MakeId(Hive h, std::string_view key, std::string_view name) { return {h, Lower(key), Lower(name)}; }

    std::map<Id, Value> values_;
    std::set<Hive> readOnly_;
    std::set<Hive> closed_;
};

class FakeRegistry::Key final : public RegistryKey {
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
        const Value* v = reg_.Find(hive_, path_, name);
        if (!v || v->type != Type::Text) return std::nullopt;
        std::string s(v->bytes.begin(), v->bytes.end());
        s = s.substr(0, s.find('\0'));
        return s.substr(0, maxChars);
    }
    RegStatus WriteText(std::string_view name, std::string_view text) override {
        std::vector<std::uint8_t> b(text.begin(), text.end());
        b.push_back(0);
        return Write(name, Type::Text, std::move(b));
    }
    RegStatus WriteDword(std::string_view name, std::uint32_t value) override {
        std::vector<std::uint8_t> b(4);
        std::memcpy(b.data(), &value, 4);
        return Write(name, Type::Dword, std::move(b));
    }
    RegStatus WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) override {
        return Write(name, Type::Binary, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    RegStatus DeleteValue(std::string_view name) override {
        if (reg_.readOnly_.count(hive_)) return RegStatus::AccessDenied;
        reg_.values_.erase(MakeId(hive_, path_, name));
        ++reg_.writes;
        return RegStatus::Ok;
    }

private:
    RegStatus Write(std::string_view name, Type type, std::vector<std::uint8_t> bytes) {
        if (reg_.readOnly_.count(hive_)) return RegStatus::AccessDenied;
        reg_.values_[MakeId(hive_, path_, name)] = Value{type, std::move(bytes)};
        ++reg_.writes;
        return RegStatus::Ok;
    }
    FakeRegistry& reg_;
    Hive hive_;
    std::string path_;
};

inline std::unique_ptr<RegistryKey> FakeRegistry::OpenKey(Hive hive, std::string_view path) {
    if (closed_.count(hive)) return nullptr;
    return std::make_unique<Key>(*this, hive, std::string(path));
}

inline const FakeRegistry::Value* FakeRegistry::Find(Hive h, std::string_view key, std::string_view name) const {
    const auto it = values_.find(MakeId(h, key, name));
    return it == values_.end() ? nullptr : &it->second;
}

inline std::optional<std::string> FakeRegistry::Text(Hive h, std::string_view key, std::string_view name) const {
    const Value* v = Find(h, key, name);
    if (!v || v->type != Type::Text) return std::nullopt;
    std::string s(v->bytes.begin(), v->bytes.end());
    return s.substr(0, s.find('\0'));
}

inline std::optional<std::uint32_t> FakeRegistry::Dword(Hive h, std::string_view key, std::string_view name) const {
    const Value* v = Find(h, key, name);
    if (!v || v->type != Type::Dword || v->bytes.size() != 4) return std::nullopt;
    std::uint32_t r = 0;
    std::memcpy(&r, v->bytes.data(), 4);
    return r;
}

inline std::optional<std::vector<std::uint8_t>> FakeRegistry::Binary(Hive h, std::string_view key,
                                                                     std::string_view name) const {
    const Value* v = Find(h, key, name);
    if (!v || v->type != Type::Binary) return std::nullopt;
    return v->bytes;
}

inline void FakeRegistry::Put(Hive h, std::string_view key, std::string_view name, Type type,
                              std::vector<std::uint8_t> bytes) {
    values_[MakeId(h, key, name)] = Value{type, std::move(bytes)};
}

inline void FakeRegistry::PutText(Hive h, std::string_view key, std::string_view name, std::string_view text) {
    std::vector<std::uint8_t> b(text.begin(), text.end());
    b.push_back(0);
    Put(h, key, name, Type::Text, std::move(b));
}

inline void FakeRegistry::PutDword(Hive h, std::string_view key, std::string_view name, std::uint32_t v) {
    std::vector<std::uint8_t> b(4);
    std::memcpy(b.data(), &v, 4);
    Put(h, key, name, Type::Dword, std::move(b));
}

inline void FakeRegistry::PutBinary(Hive h, std::string_view key, std::string_view name,
                                    std::vector<std::uint8_t> bytes) {
    Put(h, key, name, Type::Binary, std::move(bytes));
}

}  // namespace tavrin::testing
