#include "tweaks/system_tweaks.h"

namespace tavrin {

bool ApplyShareTweak(Registry& registry, std::int16_t checked) {
    return checked == 1 ? ApplyRegistryTweak(registry, tweak_rows::kShareOff)
                        : ApplyRegistryTweak(registry, tweak_rows::kShareDefault);
}

bool ApplyTrackerTweak(Registry& registry, std::int16_t checked) {
    return checked == 1 ? ApplyRegistryTweak(registry, tweak_rows::kTrackerOff)
                        : ApplyRegistryTweak(registry, tweak_rows::kTrackerDefault);
}

bool ApplyAutoPlayTweak(Registry& registry, std::int16_t selector) {
    switch (selector) {
        case kAutoPlayEnabled:
            return ApplyRegistryTweak(registry, tweak_rows::kAutoPlayOn);
        case kAutoPlayAllButCD:
            return ApplyRegistryTweak(registry, tweak_rows::kAutoPlayOpticalOnly);
        case kAutoPlayAllDisks:
            return ApplyRegistryTweak(registry, tweak_rows::kAutoPlayOff);
        default:
            return false;
    }
}

}  // namespace tavrin
