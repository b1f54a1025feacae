#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "ports/registry.h"

namespace tavrin {

// One registry change, as plain data, so a tweak is a table a reader can
// check line by line against the values Windows looks at.
struct RegistryTweakRow {
    enum class Action { SetDword, Delete };

    Hive root;
    std::string_view key;
    std::string_view name;
    Action action;
    std::uint32_t value = 0;  // for SetDword
};

// Applies the rows in order. Consecutive rows naming the same root and key
// share one opening of that key, closed before the next key is opened. A row
// that fails, or a key that cannot be opened, does not stop the rest; the
// result is true only when every row took effect.
bool ApplyRegistryTweak(Registry& registry, std::span<const RegistryTweakRow> rows);

}  // namespace tavrin
