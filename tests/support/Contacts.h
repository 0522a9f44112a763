#pragma once

// Contacts as tests write them: names and a birthday, every other field empty.
#include "data/CContact.h"

namespace testsupport {

CContact MakeContact(const char* first, const char* last, int year, int month, int day, int hour = 0,
                     int minute = 0);

} // namespace testsupport
