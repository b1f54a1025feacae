#pragma once
#include "platform/win32/unique_handle.h"
#include "ports/application.h"

namespace tavrin::win32 {

// Built once at start-up: claims the single-copy mutex then, so the answer of
// PreviousInstance() holds for the whole run.
class Win32Application final : public Application {
public:
    Win32Application();
    std::string ExeDirectory() const override { return directory_; }
    std::string ExeBaseName() const override { return baseName_; }
    bool InProtectedFolder() const override;
    std::string Arguments() const override { return arguments_; }
    bool PreviousInstance() const override { return previousInstance_; }
    void End() override;

private:
    UniqueKernelHandle mutex_;
    bool previousInstance_ = false;
    std::string directory_;
    std::string baseName_;
    std::string arguments_;
};

}  // namespace tavrin::win32
