#include "view/ClockHands.h"

#include <cmath>

CPoint HandTip(CPoint tip12, int length, int units)
{
    // The constants are the clock's own; keep them, the pixels depend on their rounding.
    const double theta = units * 3.1415926535 * 0.03333333333333333;
    const double l = length;
    return {tip12.x + static_cast<int>(l * std::sin(theta)),
            tip12.y + static_cast<int>(l - l * std::cos(theta))};
}

int HourHandUnits(int hour, int minute)
{
    return 5 * hour + minute / 12;
}
