#include "tweaks/registry_tweak.h"

namespace tavrin {

namespace {

RegStatus ApplyRow(RegistryKey& key, const RegistryTweakRow& row) {
    switch (row.action) {
        case RegistryTweakRow::Action::SetDword:
            return key.WriteDword(row.name, row.value);
        case RegistryTweakRow::Action::Delete:
            return key.DeleteValue(row.name);
    }
    return RegStatus::Failed;
}

bool SameKey(const RegistryTweakRow& a, const RegistryTweakRow& b) { return a.root == b.root && a.key == b.key; }

}  // namespace

bool ApplyRegistryTweak(Registry& registry, std::span<const RegistryTweakRow> rows) {
    bool allApplied = true;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t end = first + 1;
        while (end < rows.size() && SameKey(rows[first], rows[end])) ++end;

        const auto key = registry.OpenKey(rows[first].root, rows[first].key);
        for (std::size_t i = first; i < end; ++i)
            allApplied = key && ApplyRow(*key, rows[i]) == RegStatus::Ok && allApplied;
        first = end;
    }
    return allApplied;
}

}  // namespace tavrin
