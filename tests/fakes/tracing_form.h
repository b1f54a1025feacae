#pragma once
#include <string>
#include <vector>

#include "toolkit/form.h"

namespace tavrin::testing {

// A window that writes its events into a trace ("load f", "close f"), in
// place of a real one.
class TracingForm : public Form {
public:
    TracingForm(std::string name, std::vector<std::string>& trace)
        : Form(name), name_(std::move(name)), trace_(trace) {}

protected:
    void OnLoad() override { trace_.push_back("load " + name_); }
    void OnActivate() override { trace_.push_back("activate " + name_); }
    bool OnCloseRequest() override {
        trace_.push_back("close " + name_);
        return true;
    }
    void OnUnload() override { trace_.push_back("unload " + name_); }

private:
    std::string name_;
    std::vector<std::string>& trace_;
};

}  // namespace tavrin::testing
