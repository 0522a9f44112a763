#include "platform/framework/Clock.h"

#include <ctime>
#include <utility>

namespace platform {

namespace {
WallClock& TestClock()
{
    static WallClock clock;
    return clock;
}
} // namespace

std::int64_t CurrentUnixTime()
{
    if (const WallClock& clock = TestClock())
        return clock();
    return static_cast<std::int64_t>(std::time(nullptr));
}

WallClock SetWallClockForTesting(WallClock clock)
{
    return std::exchange(TestClock(), std::move(clock));
}

} // namespace platform
