#include "platform/win32/logon_task_win32.h"

#include <gtest/gtest.h>

#include "elevated/logon_task_definition.h"

namespace tavrin::win32 {
namespace {

// Wine's Task Scheduler keeps each user's task under its own name, and a
// task already gone counts as deleted.
TEST(LogonTaskAdapter, EachUsersTaskIsFoundByItsOwnNameAndDeletedOnce) {
    Win32LogonTask task;
    const std::string user = task.CurrentUser();
    ASSERT_EQ(user.rfind("S-1-5-", 0), 0u) << user;
    ASSERT_TRUE(task.Register(user, LogonTaskDefinition(user, "C:\\Program Files\\Tavrin\\Tavrin.exe")));
    EXPECT_TRUE(task.Exists(user));
    EXPECT_FALSE(task.Exists("S-1-5-21-1-2-3-4242"));
    for (int round = 0; round < 2; ++round) EXPECT_TRUE(task.Delete(user));
    EXPECT_FALSE(task.Exists(user));
}

}  // namespace
}  // namespace tavrin::win32
