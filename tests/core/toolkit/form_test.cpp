#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/tracing_form.h"

namespace tavrin {
namespace {

using testing::TracingForm;

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
    EXPECT_EQ(trace, (std::vector<std::string>{"load f", "activate f", "activate f"}));
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
    EXPECT_EQ(trace, (std::vector<std::string>{"load keep", "activate keep", "close keep", "load go", "activate go",
                                               "close go", "unload go", "load go"}));
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
    EXPECT_EQ(trace,
              (std::vector<std::string>{"load a", "load b", "activate a", "activate b", "activate a", "unload a"}));
}

}  // namespace
}  // namespace tavrin
