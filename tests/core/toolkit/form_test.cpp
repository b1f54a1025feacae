#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/form.h"

namespace tavrin {
namespace {

class TracingForm : public Form {
public:
    TracingForm(std::string name, std::vector<std::string>& trace) : Form(name), name_(std::move(name)), trace_(trace) {}
    bool allowClose = true;

protected:
    void OnLoad() override { trace_.push_back(name_ + ".load"); }
    void OnActivate() override { trace_.push_back(name_ + ".activate"); }
    bool OnCloseRequest() override {
        trace_.push_back(name_ + ".close");
        if (!allowClose) Hide();
        return allowClose;
    }
    void OnUnload() override { trace_.push_back(name_ + ".unload"); }

private:
    std::string name_;
    std::vector<std::string>& trace_;
};

// Activation from the platform runs on each change, never before the load.
TEST(FormLifecycle, LoadRunsOnceAndShowLoadsThenActivates) {
    std::vector<std::string> trace;
    TracingForm f("f", trace);
    f.Activated();
    f.Load();
    f.Load();
    EXPECT_FALSE(f.Visible());
    f.Show();
    f.Show();  // already active: no second activation
    EXPECT_TRUE(f.Visible());
    f.Deactivated();
    f.Activated();
    f.Activated();
    EXPECT_EQ(trace, (std::vector<std::string>{"f.load", "f.activate", "f.activate"}));
}

TEST(FormLifecycle, ACancelledCloseKeepsTheWindowAndAnAllowedOneUnloads) {
    std::vector<std::string> trace;
    TracingForm keep("keep", trace), go("go", trace);
    keep.allowClose = false;
    keep.Show();
    keep.RequestClose();
    EXPECT_TRUE(keep.Loaded());
    EXPECT_FALSE(keep.Visible());
    go.Show();
    go.RequestClose();
    EXPECT_FALSE(go.Loaded());
    go.Load();  // loading again starts afresh
    EXPECT_EQ(trace, (std::vector<std::string>{"keep.load", "keep.activate", "keep.close", "go.load",
                                               "go.activate", "go.close", "go.unload", "go.load"}));
}

// Activations may run inside the focus call; an unloaded child is no longer
// active and takes no focus.
TEST(FormHostRule, ChildrenActivateOnlyWhenTheActiveChildChanges) {
    std::vector<std::string> trace;
    FormHost host;
    TracingForm a("a", trace), b("b", trace);
    a.SetHost(&host);
    b.SetHost(&host);
    a.Load();
    b.Load();
    a.SetFocus();
    a.SetFocus();
    b.Show();
    a.SetFocus();
    EXPECT_EQ(host.ActiveChild(), &a);
    EXPECT_FALSE(b.Active());
    a.Unload();
    EXPECT_EQ(host.ActiveChild(), nullptr);
    a.SetFocus();
    EXPECT_EQ(trace, (std::vector<std::string>{"a.load", "b.load", "a.activate", "b.activate", "a.activate",
                                               "a.unload"}));
}

}  // namespace
}  // namespace tavrin
