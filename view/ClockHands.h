#pragma once

#include "platform/framework/GdiTypes.h"

// Tip of a hand of the given length turned by `units` steps of 6 degrees clockwise from 12,
// whose 12 o'clock tip is tip12. Fractions are cut toward zero.
CPoint HandTip(CPoint tip12, int length, int units);

// The hour hand's unit count: it moves one 6-degree step every 12 minutes.
int HourHandUnits(int hour, int minute);
