#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// Source of the wall-clock time for CTime::GetCurrentTime. Tests replace it so the tick
// engine, the schedules and the birthday scan can be driven second by second.
using WallClock = std::function<std::int64_t()>;

std::int64_t CurrentUnixTime();
// An empty function restores the real clock. Returns the clock it replaces.
WallClock SetWallClockForTesting(WallClock clock);

} // namespace platform
