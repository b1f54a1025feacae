#pragma once
#include <string>
#include <string_view>

#include "common/version.h"

namespace tavrin {

// U+FF0D, the full-width dash of the title and of the dialog captions.
inline constexpr std::string_view kFullWidthDash = "－";
inline constexpr std::string_view kAppTitle = "Tavrin－定时关机免费版";

struct AppVersion {
    int major = TAVRIN_VERSION_MAJOR;
    int minor = TAVRIN_VERSION_MINOR;
    int revision = TAVRIN_VERSION_REVISION;
};

// The main window's caption, and so the running copy's identity: a second
// start finds the first by exactly this text.
std::string MainWindowCaption(AppVersion version = {});

}  // namespace tavrin
