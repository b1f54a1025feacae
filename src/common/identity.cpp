#include "common/identity.h"

namespace tavrin {

std::string MainWindowCaption(AppVersion v) {
    return std::string(kAppTitle) + "(" + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision) + ")";
}

}  // namespace tavrin
