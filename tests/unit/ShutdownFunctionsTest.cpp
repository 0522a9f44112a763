// The shutdown functions' own rules (tokens, last error, what reaches the system) on the
// recording fake that the view's tests use too.

#include "platform/system/Shutdown.h"
#include "tests/support/ScopedHook.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using platform::FakeShutdownService;
using platform::ShutdownAction;
using Method = FakeShutdownService::Method;

class ShutdownFunctions : public ::testing::Test
{
protected:
    FakeShutdownService m_fake;
    testsupport::ScopedShutdownService m_install{&m_fake};
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
    ASSERT_EQ(asked.size(), 2u); // once a request: disabling asks nothing
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

constexpr quint64 kSecond = platform::kUsecPerSecond;

// How far a due time lies from now + seconds, in microseconds.
qint64 OffFromNow(FakeShutdownService& fake, quint64 due, quint64 seconds)
{
    return static_cast<qint64>(due) - static_cast<qint64>(fake.NowUsec() + seconds * kSecond);
}

TEST_F(ShutdownFunctions, RequestWithoutPasswordIsDueTheDelayFromNow)
{
    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 10, false, true));
    const auto requests = m_fake.CallsOf(Method::ScheduleShutdown);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].action, ShutdownAction::Reboot);
    EXPECT_FALSE(requests[0].interactive);
    EXPECT_FALSE(requests[0].dryRun);
    EXPECT_LT(std::abs(OffFromNow(m_fake, requests[0].dueUsec, 10)), 100000);
    const auto wall = m_fake.CallsOf(Method::SetWallMessage);
    ASSERT_EQ(wall.size(), 1u);
    EXPECT_EQ(wall[0].message, QStringLiteral("Bye."));

    platform::PendingShutdown pending;
    ASSERT_TRUE(platform::GetOwnPendingShutdown(pending));
    EXPECT_EQ(pending.type, QStringLiteral("reboot"));
    EXPECT_EQ(pending.usec, requests[0].dueUsec);

    // A delay beyond any use still gives the system a due time it can hold.
    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 0xFFFFFFFFu, false, false));
    EXPECT_GT(m_fake.CallsOf(Method::ScheduleShutdown).back().dueUsec, m_fake.NowUsec() + 3600 * kSecond);
}

// polkit asks for a password: the system takes the due time of the request as sent, so the
// first one lies beyond the longest wait and the delay is given again once the user agreed.
TEST_F(ShutdownFunctions, PasswordPromptDoesNotEatTheDelay)
{
    for (const double prompt : {0.0, 6.0, 30.0, 119.0}) {
        SCOPED_TRACE(prompt);
        FakeShutdownService fake;
        fake.canAnswer = QStringLiteral("challenge");
        fake.promptSeconds = prompt;
        const testsupport::ScopedShutdownService useFake{&fake};
        const quint64 started = fake.NowUsec();
        ASSERT_TRUE(InitiateSystemShutdown("Bye.", 10, false, false));

        const auto requests = fake.CallsOf(Method::ScheduleShutdown);
        ASSERT_EQ(requests.size(), 3u);
        EXPECT_FALSE(requests[0].interactive); // refused: a password is needed
        EXPECT_TRUE(requests[1].interactive);
        EXPECT_GE(requests[1].dueUsec, started + 130 * kSecond); // past the 120 s wait
        EXPECT_FALSE(requests[2].interactive);                   // the authorization just given is kept
        platform::PendingShutdown pending;
        ASSERT_TRUE(platform::GetOwnPendingShutdown(pending));
        EXPECT_EQ(pending.usec, requests[2].dueUsec);
        EXPECT_LT(std::abs(OffFromNow(fake, pending.usec, 10)), 100000);
    }
}

TEST_F(ShutdownFunctions, WithoutAKeptAuthorizationTheFirstDueTimeStands)
{
    m_fake.canAnswer = QStringLiteral("challenge");
    m_fake.keepsAuthorization = false;
    m_fake.promptSeconds = 6;
    const quint64 started = m_fake.NowUsec();
    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 10, false, false));
    // Asking again would ask for the password again: the countdown shows what the system holds.
    platform::PendingShutdown pending;
    ASSERT_TRUE(platform::GetOwnPendingShutdown(pending));
    EXPECT_EQ(pending.usec, m_fake.CallsOf(Method::ScheduleShutdown)[1].dueUsec);
    EXPECT_GE(pending.usec, started + 130 * kSecond);
}

TEST_F(ShutdownFunctions, RefusedRequestFailsWithTheSystemsError)
{
    m_fake.scheduleError = ERROR_ACCESS_DENIED;
    EXPECT_FALSE(InitiateSystemShutdown("Bye.", 10, false, false));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(IsSystemShutdownPending());

    // The user dismisses the password prompt.
    m_fake.scheduleError = ERROR_SUCCESS;
    m_fake.canAnswer = QStringLiteral("challenge");
    m_fake.promptGranted = false;
    EXPECT_FALSE(InitiateSystemShutdown("Bye.", 10, false, false));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(IsSystemShutdownPending());
    EXPECT_FALSE(platform::IsShutdownRequestUnanswered());
}

// The answer to the request never came: that is no refusal while the system may still agree,
// and a late grant is this program's and gets its delay from the moment it is seen.
TEST_F(ShutdownFunctions, UnansweredRequestIsFollowedUntilItCanNoLongerBeGranted)
{
    m_fake.canAnswer = QStringLiteral("challenge");
    m_fake.loseRequestAnswer = true;
    EXPECT_FALSE(InitiateSystemShutdown("Bye.", 10, false, false));
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
    EXPECT_TRUE(platform::IsShutdownRequestUnanswered());
    platform::PendingShutdown pending;
    EXPECT_FALSE(platform::GetOwnPendingShutdown(pending));

    m_fake.GrantLostRequest(7); // 3 s of the first due time are left
    ASSERT_TRUE(platform::GetOwnPendingShutdown(pending));
    EXPECT_LT(std::abs(OffFromNow(m_fake, pending.usec, 10)), 100000);
    EXPECT_FALSE(platform::IsShutdownRequestUnanswered());
    EXPECT_TRUE(AbortSystemShutdown());

    // Past its due time an unanswered request can no longer come.
    FakeShutdownService later;
    later.canAnswer = QStringLiteral("challenge");
    later.loseRequestAnswer = true;
    const testsupport::ScopedShutdownService useLater{&later};
    EXPECT_FALSE(InitiateSystemShutdown("Bye.", 10, false, false));
    EXPECT_TRUE(platform::IsShutdownRequestUnanswered());
    later.clockOffsetUsec += static_cast<qint64>(11 * kSecond);
    EXPECT_FALSE(platform::IsShutdownRequestUnanswered());
}

TEST_F(ShutdownFunctions, SomeoneElsesPendingShutdownIsNeverTouched)
{
    const quint64 adminDue = m_fake.NowUsec() + 600 * kSecond;
    for (const char* dryRun : {"", "1"}) {
        SCOPED_TRACE(dryRun);
        qputenv("QUILLON_SHUTDOWN_DRY_RUN", dryRun);
        m_fake.ScheduleAsSomeoneElse(QStringLiteral("poweroff"), adminDue);
        m_fake.calls.clear();

        EXPECT_FALSE(InitiateSystemShutdown("Bye.", 10, false, true));
        EXPECT_EQ(GetLastError(), ERROR_SHUTDOWN_IN_PROGRESS);
        EXPECT_FALSE(AbortSystemShutdown());
        EXPECT_EQ(GetLastError(), ERROR_NO_SHUTDOWN_IN_PROGRESS);
        platform::PendingShutdown own;
        EXPECT_FALSE(platform::GetOwnPendingShutdown(own));

        EXPECT_TRUE(m_fake.CallsOf(Method::SetWallMessage).empty());
        EXPECT_TRUE(m_fake.CallsOf(Method::ScheduleShutdown).empty());
        EXPECT_TRUE(m_fake.CallsOf(Method::CancelScheduledShutdown).empty());
        EXPECT_EQ(m_fake.pending.type, QStringLiteral("poweroff"));
        EXPECT_EQ(m_fake.pending.usec, adminDue);
    }
    qunsetenv("QUILLON_SHUTDOWN_DRY_RUN");
}

TEST_F(ShutdownFunctions, OwnPendingShutdownMayBeReplaced)
{
    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 10, false, false));
    ASSERT_TRUE(InitiateSystemShutdown("Bye.", 20, false, true));
    platform::PendingShutdown pending;
    ASSERT_TRUE(platform::GetOwnPendingShutdown(pending));
    EXPECT_EQ(pending.type, QStringLiteral("reboot"));
    EXPECT_LT(std::abs(OffFromNow(m_fake, pending.usec, 20)), 100000);
}

TEST_F(ShutdownFunctions, AnyValueButEmptyOrZeroIsADryRunThatKeepsTheWallMessage)
{
    struct Row
    {
        const char* value;
        bool dryRun;
    };
    for (const Row row :
         {Row{"1", true}, Row{"true", true}, Row{"yes", true}, Row{"on", true}, Row{"TRUE", true},
          Row{"00", true}, Row{" ", true}, Row{"0", false}, Row{"", false}}) {
        SCOPED_TRACE(row.value);
        qputenv("QUILLON_SHUTDOWN_DRY_RUN", row.value);
        EXPECT_EQ(platform::IsShutdownDryRun(), row.dryRun);
        m_fake.calls.clear();
        ASSERT_TRUE(InitiateSystemShutdown("Bye.", 10, false, false));
        const auto requests = m_fake.CallsOf(Method::ScheduleShutdown);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].dryRun, row.dryRun);
        EXPECT_EQ(m_fake.CallsOf(Method::SetWallMessage).size(), row.dryRun ? 0u : 1u);
        EXPECT_TRUE(AbortSystemShutdown());
    }
    qunsetenv("QUILLON_SHUTDOWN_DRY_RUN");
    EXPECT_FALSE(platform::IsShutdownDryRun());
}

TEST_F(ShutdownFunctions, AbortSucceedsOnlyWithOwnPendingShutdown)
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
