#pragma once

#include <ctime>

namespace win32::testing
{

// Makes time() answer t until reset.
void SetFixedTime(std::time_t t);
// Makes time() answer the moment that reads as this local date and time.
void SetFixedLocalTime(int year, int month, int day, int hour, int minute, int second);

// The real clock again.
void ResetLocalTime();

} // namespace win32::testing
