#pragma once
#include <optional>

#include "platform/win32/unique_handle.h"
#include "ports/application.h"

namespace tavrin::win32 {

// Built once at start-up. The single-copy mutex is claimed at the first
// PreviousInstance() and held for the whole run: a start that only hands a
// command over claims none, so the copy it starts finds none.
class Win32Application final : public Application {
public:
    Win32Application();
    std::string ExeDirectory() const override { return directory_; }
    std::string ExeBaseName() const override { return baseName_; }
    bool InProtectedFolder() const override;
    std::string Arguments() const override { return arguments_; }
    bool OnUsersDesktop() const override;
    bool PreviousInstance() const override;
    void End() override;

private:
    mutable UniqueKernelHandle mutex_;
    mutable std::optional<bool> previousInstance_;
    std::string directory_;
    std::string baseName_;
    std::string arguments_;
};

}  // namespace tavrin::win32
