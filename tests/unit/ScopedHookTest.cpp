// The test hooks' installers: what a scope installs answers inside it, and whatever was there
// before answers again after it, also when the scope is left early as a failed check leaves it.
#include "tests/support/ScopedHook.h"
#include "platform/framework/CTime.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

using testsupport::ScopedSystemSource;
using testsupport::ScopedWallClock;

class NoFacts : public platform::SystemSource
{
public:
    std::optional<platform::KernelIdentity> Uname() const override { return std::nullopt; }
    std::string OsReleaseText() const override { return {}; }
    std::string CpuInfoText() const override { return {}; }
    long OnlineProcessorCount() const override { return 0; }
    long PageSize() const override { return 0; }
};

TEST(ScopedHook, NestedInstallersGiveBackWhatWasThereInTurn)
{
    const std::int64_t realBefore = std::time(nullptr);
    {
        const ScopedWallClock outer{[] { return std::int64_t{1000}; }};
        EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 1000);
        {
            const ScopedWallClock inner{[] { return std::int64_t{2000}; }};
            EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 2000);
        }
        EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 1000);
    }
    EXPECT_GE(CTime::GetCurrentTime().GetTime(), realBefore); // the real clock again
}

TEST(ScopedHook, AScopeLeftEarlyLeavesNoFakeBehind)
{
    const platform::SystemSource& real = platform::CurrentSystemSource();
    NoFacts fake;
    const auto failingCheck = [&] {
        const ScopedSystemSource install{&fake};
        if (&platform::CurrentSystemSource() == &fake)
            return; // as ASSERT or QVERIFY returns
        ADD_FAILURE() << "the fake was not installed";
    };
    failingCheck();
    EXPECT_EQ(&platform::CurrentSystemSource(), &real);
}

} // namespace
