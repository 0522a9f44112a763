#pragma once

namespace res {
void RegisterHolidaysTemplate(); // dialog 136, "Holidays"
} // namespace res
