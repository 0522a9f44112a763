// The shutdown calls on the real logind path, against a logind mock on a private system bus
// that run_shutdown_tests.sh sets up; each test group runs with the rights its name says.

#include "platform/system/Shutdown.h"
#include "tests/system/MockCalls.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <thread>

namespace {

const CString kMessage = "Click on the main window and press the Escape key to cancel shutdown.";
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
constexpr quint64 kSecond = 1000000;

quint64 NowUsec()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<quint64>(now.tv_sec) * 1000000u + static_cast<quint64>(now.tv_nsec) / 1000u;
}

using logindmock::Control;
using logindmock::Held;
using logindmock::Logind;

// The program's sequence up to the request, as the clock window runs it; answers the last
// error after enabling.
UINT OpenAndEnable(ProcessToken& token, platform::ShutdownAction action)
{
    OpenProcessToken(token);
    LUID luid;
    LookupPrivilegeValue(SE_SHUTDOWN_NAME, luid);
    AdjustTokenPrivileges(token, true, action);
    return GetLastError();
}

class LogindMockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Nothing below may ever reach a real logind.
        ASSERT_TRUE(Logind().IsMock()) << "the logind on this bus is not the mock";
        unsetenv("QUILLON_SHUTDOWN_DRY_RUN");
        ASSERT_TRUE(Control(QStringLiteral("Reset")));
        platform::SetShutdownServiceForTesting(nullptr); // no earlier request is this test's
        Logind().Clear();
    }
    void TearDown() override
    {
        unsetenv("QUILLON_SHUTDOWN_DRY_RUN");
        platform::SetShutdownServiceForTesting(nullptr);
        Control(QStringLiteral("Reset"));
    }

    // Makes the request as a user who needs no password and checks what logind was asked: the
    // type, and a due time 10 s after the moment of the call.
    void ExpectScheduled(bool reboot, const QString& type)
    {
        const quint64 before = NowUsec();
        ASSERT_TRUE(InitiateSystemShutdown(kMessage, 10, false, reboot));
        const quint64 after = NowUsec();

        const auto scheduled = Logind().Of(QStringLiteral("ScheduleShutdown"));
        ASSERT_EQ(scheduled.size(), 1u);
        ASSERT_EQ(scheduled[0].size(), 2);
        EXPECT_EQ(scheduled[0][0].toString(), type);
        const quint64 due = scheduled[0][1].toULongLong();
        EXPECT_GE(due, before + 10000000u);
        EXPECT_LE(due, after + 10000000u);

        // logind names the type without the "dry-" of a dry run.
        platform::PendingShutdown pending;
        ASSERT_TRUE(platform::GetOwnPendingShutdown(pending));
        EXPECT_EQ(pending.type, reboot ? QStringLiteral("reboot") : QStringLiteral("poweroff"));
        EXPECT_EQ(pending.usec, due);
    }
};

using LogindAllowed = LogindMockTest;
using LogindChallenge = LogindMockTest;
using LogindRefused = LogindMockTest;

TEST_F(LogindAllowed, PowerOffIsScheduledTenSecondsAheadWithTheMessage)
{
    ProcessToken token;
    EXPECT_EQ(OpenAndEnable(token, platform::ShutdownAction::PowerOff), ERROR_SUCCESS);
    EXPECT_TRUE(token.open);
    EXPECT_EQ(Logind().Of(QStringLiteral("CanPowerOff")).size(), 1u);

    ExpectScheduled(false, QStringLiteral("poweroff"));
    const auto wall = Logind().Of(QStringLiteral("SetWallMessage"));
    ASSERT_EQ(wall.size(), 1u);
    EXPECT_EQ(wall[0][0].toString(), kMessage.ToQString());
    EXPECT_TRUE(wall[0][1].toBool());
    EXPECT_EQ(Logind().Property(kManager, QStringLiteral("WallMessage")).toString(), kMessage.ToQString());

    AdjustTokenPrivileges(token, false, platform::ShutdownAction::PowerOff);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
}

TEST_F(LogindAllowed, RebootAsksForTheRebootRight)
{
    ProcessToken token;
    EXPECT_EQ(OpenAndEnable(token, platform::ShutdownAction::Reboot), ERROR_SUCCESS);
    EXPECT_EQ(Logind().Of(QStringLiteral("CanReboot")).size(), 1u);
    EXPECT_TRUE(Logind().Of(QStringLiteral("CanPowerOff")).empty());
    ExpectScheduled(true, QStringLiteral("reboot"));
}

// Any value but empty or "0" is a dry run (a mistyped one must never power off), and a dry run
// leaves the wall message that logind keeps for later shutdowns as it is.
TEST_F(LogindAllowed, DryRunValuesAndTheStoredWallMessage)
{
    const QString adminText = QStringLiteral("Disk replacement at noon.");
    ASSERT_TRUE(Logind().Invoke(kManager, QStringLiteral("SetWallMessage"), {adminText, true}));
    struct Row
    {
        const char* value;
        const char* type;
    };
    for (const Row row : {Row{"true", "dry-poweroff"}, Row{"yes", "dry-poweroff"}, Row{"on", "dry-poweroff"},
                          Row{"1", "dry-poweroff"}}) {
        SCOPED_TRACE(row.value);
        setenv("QUILLON_SHUTDOWN_DRY_RUN", row.value, 1);
        Logind().Clear();
        ExpectScheduled(false, QString::fromLatin1(row.type));
        EXPECT_TRUE(Logind().Of(QStringLiteral("SetWallMessage")).empty());
        EXPECT_EQ(Logind().Property(kManager, QStringLiteral("WallMessage")).toString(), adminText);
        EXPECT_TRUE(AbortSystemShutdown());
    }
    setenv("QUILLON_SHUTDOWN_DRY_RUN", "1", 1);
    Logind().Clear();
    ExpectScheduled(true, QStringLiteral("dry-reboot"));
    EXPECT_TRUE(AbortSystemShutdown());

    for (const char* value : {"0", ""}) {
        SCOPED_TRACE(value);
        setenv("QUILLON_SHUTDOWN_DRY_RUN", value, 1);
        Logind().Clear();
        ExpectScheduled(false, QStringLiteral("poweroff"));
        EXPECT_EQ(Logind().Of(QStringLiteral("SetWallMessage")).size(), 1u);
        EXPECT_TRUE(AbortSystemShutdown());
    }
}

TEST_F(LogindAllowed, AbortCancelsTheOwnPendingShutdownOnly)
{
    EXPECT_FALSE(AbortSystemShutdown());
    EXPECT_EQ(GetLastError(), ERROR_NO_SHUTDOWN_IN_PROGRESS);

    ASSERT_TRUE(InitiateSystemShutdown(kMessage, 10, false, false));
    EXPECT_TRUE(AbortSystemShutdown());
    EXPECT_FALSE(IsSystemShutdownPending());
    EXPECT_EQ(Logind().Of(QStringLiteral("CancelScheduledShutdown")).size(), 1u);

    // Once cancelled, there is nothing left to cancel.
    EXPECT_FALSE(AbortSystemShutdown());
    EXPECT_EQ(GetLastError(), ERROR_NO_SHUTDOWN_IN_PROGRESS);
}

// An administrator's "shutdown +10" is neither replaced by a request, real or dry, nor
// cancelled by Escape; only the program's own shutdown is.
TEST_F(LogindAllowed, AdministratorsPendingPoweroffSurvivesRequestsAndDryRuns)
{
    const quint64 adminDue = NowUsec() + 600 * kSecond;
    ASSERT_TRUE(Control(QStringLiteral("ScheduleAsAdministrator"),
                        {QStringLiteral("poweroff"), QVariant::fromValue(adminDue)}));
    Logind().Clear();
    for (const char* dryRun : {"", "1", "true"}) {
        SCOPED_TRACE(dryRun);
        setenv("QUILLON_SHUTDOWN_DRY_RUN", dryRun, 1);
        for (const bool reboot : {false, true}) {
            EXPECT_FALSE(InitiateSystemShutdown(kMessage, 10, false, reboot));
            EXPECT_EQ(GetLastError(), ERROR_SHUTDOWN_IN_PROGRESS);
        }
        EXPECT_FALSE(AbortSystemShutdown());
        EXPECT_EQ(GetLastError(), ERROR_NO_SHUTDOWN_IN_PROGRESS);
    }
    const platform::PendingShutdown held = Held();
    EXPECT_EQ(held.type, QStringLiteral("poweroff"));
    EXPECT_EQ(held.usec, adminDue);
    for (const char* method : {"ScheduleShutdown", "SetWallMessage", "CancelScheduledShutdown"})
        EXPECT_TRUE(Logind().Of(QString::fromLatin1(method)).empty()) << method;
}

TEST_F(LogindChallenge, PolkitMayAskForThePassword)
{
    ProcessToken token;
    EXPECT_EQ(OpenAndEnable(token, platform::ShutdownAction::PowerOff), ERROR_SUCCESS);
    const quint64 before = NowUsec();
    ASSERT_TRUE(InitiateSystemShutdown(kMessage, 10, false, false));
    // Refused without the prompt, asked with it beyond the longest wait, then set to 10 s.
    const auto requests = Logind().Of(QStringLiteral("ScheduleShutdown"));
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_GE(requests[1][1].toULongLong(), before + 130 * kSecond);
    platform::PendingShutdown pending;
    ASSERT_TRUE(platform::GetOwnPendingShutdown(pending));
    EXPECT_EQ(pending.usec, requests[2][1].toULongLong());
    EXPECT_TRUE(AbortSystemShutdown());
}

TEST_F(LogindChallenge, WithoutAKeptAuthorizationLogindsDueTimeIsTheCountdown)
{
    ASSERT_TRUE(Control(QStringLiteral("SetKeepAuthorization"), {false}));
    ASSERT_TRUE(Control(QStringLiteral("SetPrompt"), {1.0, true}));
    const quint64 before = NowUsec();
    ASSERT_TRUE(InitiateSystemShutdown(kMessage, 10, false, false));
    // Asking again would need the password again: the first due time stands, and the program
    // shows that one.
    platform::PendingShutdown pending;
    ASSERT_TRUE(platform::GetOwnPendingShutdown(pending));
    EXPECT_EQ(pending.usec, Held().usec);
    EXPECT_GE(pending.usec, before + 130 * kSecond);
}

TEST_F(LogindChallenge, DismissedPromptRefusesAndLeavesNothingPending)
{
    ASSERT_TRUE(Control(QStringLiteral("SetPrompt"), {1.0, false}));
    EXPECT_FALSE(InitiateSystemShutdown(kMessage, 10, false, false));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(Held().type.isEmpty());
    EXPECT_FALSE(platform::IsShutdownRequestUnanswered());
}

// logind waits for polkit only so long (25 s), then refuses: that is no unanswered request, and
// a password typed afterwards schedules nothing.
TEST_F(LogindChallenge, LogindGivingUpOnPolkitIsARefusal)
{
    ASSERT_TRUE(Control(QStringLiteral("SetPolkitTimeout"), {1.0}));
    ASSERT_TRUE(Control(QStringLiteral("SetPrompt"), {2.0, true}));
    EXPECT_FALSE(InitiateSystemShutdown(kMessage, 10, false, false));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(platform::IsShutdownRequestUnanswered());
    std::this_thread::sleep_for(std::chrono::milliseconds(1500)); // past the prompt
    EXPECT_TRUE(Held().type.isEmpty());
}

TEST_F(LogindChallenge, RefusedWallMessageDoesNotStopTheShutdown)
{
    ASSERT_TRUE(InitiateSystemShutdown(kMessage, 10, false, true));
    EXPECT_EQ(Held().type, QStringLiteral("reboot"));
    EXPECT_EQ(Logind().Of(QStringLiteral("SetWallMessage")).size(), 1u);
    EXPECT_EQ(Logind().Property(kManager, QStringLiteral("WallMessage")).toString(), QString());
}

TEST_F(LogindRefused, EveryStepFailsAndNothingIsPending)
{
    for (const bool reboot : {false, true}) {
        SCOPED_TRACE(reboot ? "reboot" : "poweroff");
        const auto action = reboot ? platform::ShutdownAction::Reboot : platform::ShutdownAction::PowerOff;
        ProcessToken token;
        EXPECT_EQ(OpenAndEnable(token, action), ERROR_NOT_ALL_ASSIGNED);
        EXPECT_TRUE(token.open);

        EXPECT_FALSE(InitiateSystemShutdown(kMessage, 10, false, reboot));
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        EXPECT_FALSE(IsSystemShutdownPending());

        AdjustTokenPrivileges(token, false, action);
        EXPECT_EQ(GetLastError(), ERROR_NOT_ALL_ASSIGNED);
        EXPECT_FALSE(AbortSystemShutdown());
    }
}

TEST(NoLogind, TheTokenCannotBeOpenedAndNothingIsRequested)
{
    ProcessToken token;
    EXPECT_FALSE(OpenProcessToken(token));
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);

    AdjustTokenPrivileges(token, true, platform::ShutdownAction::PowerOff);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(InitiateSystemShutdown(kMessage, 10, false, false));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_NOT_ACTIVE);
    EXPECT_FALSE(AbortSystemShutdown());
    EXPECT_FALSE(IsSystemShutdownPending());
}

// The machine's own system bus must never be used: only the private one the script made.
bool OnPrivateSystemBus()
{
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    return !address.isEmpty() && address == qEnvironmentVariable("QUILLON_TEST_PRIVATE_SYSTEM_BUS") &&
           !address.contains(QLatin1String("/run/dbus/system_bus_socket"));
}

} // namespace

int main(int argc, char** argv)
{
    if (!OnPrivateSystemBus()) {
        std::cerr << "refusing to run: DBUS_SYSTEM_BUS_ADDRESS must name the private test bus "
                     "(run through run_shutdown_tests.sh)\n";
        return 2;
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
