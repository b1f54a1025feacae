#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/tracing_form.h"

namespace tavrin {
namespace {

using testing::TracingForm;
using Trace = std::vector<std::string>;

// Activation from the platform runs on each change, never before the load.
TEST(FormLifecycle, LoadRunsOnceShowActivatesOnceAndAClosedWindowLoadsAfresh) {
    Trace trace;
    TracingForm f("f", trace);
    f.Activated();
    f.Load();
    f.Load();
    EXPECT_FALSE(f.Visible());
    f.Show();
    f.Show();  // already active: no second activation
    f.Deactivated();
    f.Activated();
    f.Activated();
    f.RequestClose();
    EXPECT_FALSE(f.Loaded() || f.Visible());
    f.Load();
    EXPECT_EQ(trace, (Trace{"load f", "activate f", "activate f", "close f", "unload f", "load f"}));
}

// Activations may run inside the focus call; an unloaded child is no longer
// active and takes no focus.
TEST(FormHostRule, ChildrenActivateOnlyWhenTheActiveChildChanges) {
    Trace trace;
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
    a.Unload();
    EXPECT_EQ(host.ActiveChild(), nullptr);
    a.SetFocus();
    EXPECT_EQ(trace, (Trace{"load a", "load b", "activate a", "activate b", "activate a", "unload a"}));
}

}  // namespace
}  // namespace tavrin
