#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {

namespace {

HKEY Root(Hive hive) {
    switch (hive) {
        case Hive::CurrentUser:
            return HKEY_CURRENT_USER;
        case Hive::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case Hive::ClassesRoot:
            return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

RegStatus Status(LONG result) {
    if (result == ERROR_SUCCESS) return RegStatus::Ok;
    return result == ERROR_ACCESS_DENIED ? RegStatus::AccessDenied : RegStatus::Failed;
}

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(UniqueHkey key) : key_(std::move(key)) {}

    std::size_t ValueSize(std::string_view name) override {
        DWORD size = 0;
        const LONG r = RegQueryValueExW(key_.get(), Widen(name).c_str(), nullptr, nullptr, nullptr, &size);
        return r == ERROR_SUCCESS || r == ERROR_MORE_DATA ? size : 0;
    }

    std::optional<std::vector<std::uint8_t>> ReadBytes(std::string_view name, std::size_t maxBytes) override {
        DWORD type = 0;
        auto data = Read(name, type);
        if (!data) return std::nullopt;
        if (data->size() > maxBytes) data->resize(maxBytes);
        return data;
    }

    std::optional<std::string> ReadText(std::string_view name, std::size_t maxChars) override {
        DWORD type = 0;
        const auto data = Read(name, type);
        if (!data || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        // The stored text need not end in a zero, nor have an even length.
        std::wstring text(data->size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), data->data(), text.size() * sizeof(wchar_t));
        text.resize(std::min(text.find(L'\0'), text.size()));
        if (text.size() > maxChars) {
            text.resize(maxChars);
            if (!text.empty() && IS_HIGH_SURROGATE(text.back())) text.pop_back();
        }
        return Narrow(text);
    }

    RegStatus WriteText(std::string_view name, std::string_view text) override {
        const std::wstring w = Widen(text);
        return Set(name, REG_SZ, w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    }
    RegStatus WriteDword(std::string_view name, std::uint32_t value) override {
        const DWORD v = value;
        return Set(name, REG_DWORD, &v, sizeof v);
    }
    RegStatus WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) override {
        return Set(name, REG_BINARY, bytes.data(), bytes.size());
    }
    RegStatus DeleteValue(std::string_view name) override {
        const LONG r = RegDeleteValueW(key_.get(), Widen(name).c_str());
        return r == ERROR_FILE_NOT_FOUND ? RegStatus::Ok : Status(r);
    }

private:
    // The whole value, however large; it may grow between the size query and
    // the read, so the read is retried with the size Windows then reports.
    std::optional<std::vector<std::uint8_t>> Read(std::string_view name, DWORD& type) {
        const std::wstring wname = Widen(name);
        std::vector<std::uint8_t> data;
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD size = static_cast<DWORD>(data.size());
            const LONG r = RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type,
                                            data.empty() ? nullptr : data.data(), &size);
            if (r == ERROR_SUCCESS && (size <= data.size() || size == 0)) {
                data.resize(size);
                return data;
            }
            if (r != ERROR_SUCCESS && r != ERROR_MORE_DATA) return std::nullopt;
            data.resize(size);
        }
        return std::nullopt;
    }

    RegStatus Set(std::string_view name, DWORD type, const void* data, std::size_t size) {
        return Status(RegSetValueExW(key_.get(), Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                                     static_cast<DWORD>(size)));
    }

    UniqueHkey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(Hive hive, std::string_view path) {
    const std::wstring wpath = Widen(path);
    UniqueHkey key;
    LONG r =
        RegCreateKeyExW(Root(hive), wpath.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr);
    // Without write rights the key can still be read; writes then fail one by one.
    if (r == ERROR_ACCESS_DENIED) r = RegOpenKeyExW(Root(hive), wpath.c_str(), 0, KEY_READ, key.put());
    if (r != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key));
}

}  // namespace tavrin::win32
