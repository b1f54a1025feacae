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

}  // namespace
}  // namespace tavrin
