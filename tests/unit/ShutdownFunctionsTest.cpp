// The shutdown functions' own rules (tokens, last error, what reaches the system) on the
// recording fake that the view's tests use too.

#include "platform/system/FakeShutdownService.h"
#include "platform/system/Shutdown.h"

#include <gtest/gtest.h>

namespace {

using platform::FakeShutdownService;
using platform::ShutdownAction;
using Method = FakeShutdownService::Method;

class ShutdownFunctions : public ::testing::Test
{
protected:
    void SetUp() override { platform::SetShutdownServiceForTesting(&m_fake); }
    void TearDown() override { platform::SetShutdownServiceForTesting(nullptr); }

    FakeShutdownService m_fake;
};

TEST_F(ShutdownFunctions, RightIsHeldWhenGrantedOrAfterAPassword)
{
    for (const char* answer : {"yes", "challenge"}) {
        SCOPED_TRACE(answer);
        m_fake.canAnswer = QString::fromLatin1(answer);
        ProcessToken token;
        ASSERT_TRUE(OpenProcessToken(token));
        EXPECT_TRUE(AdjustTokenPrivileges(token, true, ShutdownAction::Reboot));
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
        EXPECT_TRUE(AdjustTokenPrivileges(token, false, ShutdownAction::Reboot));
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    }
    const auto asked = m_fake.CallsOf(Method::CanShutdown);
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].action, ShutdownAction::Reboot);
}

TEST_F(ShutdownFunctions, RightNotHeldOrNotAskableSetsTheLastError)
{
    ProcessToken token;
    ASSERT_TRUE(OpenProcessToken(token));
    for (const char* answer : {"no", "na", ""}) {
        SCOPED_TRACE(answer);
        m_fake.canAnswer = QString::fromLatin1(answer);
        EXPECT_FALSE(AdjustTokenPrivileges(token, true));
        EXPECT_EQ(GetLastError(), ERROR_NOT_ALL_ASSIGNED);
        EXPECT_FALSE(AdjustTokenPrivileges(token, false));
        EXPECT_EQ(GetLastError(), ERROR_NOT_ALL_ASSIGNED);
    }
    m_fake.canError = ERROR_TIMEOUT;
    EXPECT_FALSE(AdjustTokenPrivileges(token, true));
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
}

TEST_F(ShutdownFunctions, ClosedTokenFailsBothPrivilegeStepsWithoutAskingTheSystem)
{
    m_fake.connectError = ERROR_SERVICE_NOT_ACTIVE;
    ProcessToken token;
    EXPECT_FALSE(OpenProcessToken(token));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_NOT_ACTIVE);
    EXPECT_FALSE(AdjustTokenPrivileges(token, true));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(AdjustTokenPrivileges(token, false));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(m_fake.CallsOf(Method::CanShutdown).empty());
}

TEST_F(ShutdownFunctions, OnlyTheShutdownPrivilegeIsKnown)
{
    LUID luid;
    EXPECT_TRUE(LookupPrivilegeValue(SE_SHUTDOWN_NAME, luid));
    EXPECT_NE(luid.value, 0u);
    EXPECT_FALSE(LookupPrivilegeValue("SeDebugPrivilege", luid));
    EXPECT_EQ(GetLastError(), ERROR_NO_SUCH_PRIVILEGE);
}

TEST_F(ShutdownFunctions, RequestCarriesMessageDelayAndAction)
{
    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 10, false, true));
    const auto requests = m_fake.CallsOf(Method::ScheduleShutdown);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].message, QStringLiteral("Bye."));
    EXPECT_EQ(requests[0].delaySeconds, 10);
    EXPECT_EQ(requests[0].action, ShutdownAction::Reboot);

    platform::PendingShutdown pending;
    ASSERT_TRUE(IsSystemShutdownPending(&pending));
    EXPECT_EQ(pending.type, QStringLiteral("reboot"));

    // A delay beyond any use still gives the system a due time it can hold.
    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 0xFFFFFFFFu, false, false));
    EXPECT_GT(m_fake.CallsOf(Method::ScheduleShutdown).back().delaySeconds, 0);
}

TEST_F(ShutdownFunctions, RefusedRequestFailsWithTheSystemsError)
{
    m_fake.scheduleError = ERROR_ACCESS_DENIED;
    EXPECT_FALSE(InitiateSystemShutdown("Bye.", 10, false, false));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(IsSystemShutdownPending());
}

TEST_F(ShutdownFunctions, AbortSucceedsOnlyWithAPendingShutdown)
{
    EXPECT_FALSE(AbortSystemShutdown());
    EXPECT_EQ(GetLastError(), ERROR_NO_SHUTDOWN_IN_PROGRESS);

    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 10, false, false));
    EXPECT_TRUE(AbortSystemShutdown());
    EXPECT_FALSE(IsSystemShutdownPending());

    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 10, false, false));
    m_fake.cancelError = ERROR_ACCESS_DENIED;
    EXPECT_FALSE(AbortSystemShutdown());
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(IsSystemShutdownPending());
}

} // namespace
