#pragma once
#include <optional>
#include <string>

#include "elevated/copy_run.h"
#include "ports/elevation.h"

namespace tavrin::win32 {

// Elevation through User Account Control: the token's own verdict, and
// ShellExecuteEx "runas" for the copy. No handle survives "runas", so the
// copy is reached through a named pipe with a random name that admits only
// this user and administrators, and only the copy we started is served.
class Win32Elevation final : public Elevation {
public:
    // `exePath` is the program the elevated copy runs: this one by default.
    explicit Win32Elevation(std::wstring exePath = {});

    bool Elevated() const override;
    bool SplitToken() const override;
    ElevatedResult RunElevated(std::string_view operation, std::string_view input) override;
    std::unique_ptr<CallerChannel> ConnectCaller(std::string_view channelName) override;

private:
    CopyRun RunCopy(std::string_view operation, std::string_view input);

    std::wstring exePath_;
    // A token's elevation never changes: asked once.
    mutable std::optional<bool> elevated_;
    mutable std::optional<bool> splitToken_;
};

}  // namespace tavrin::win32
