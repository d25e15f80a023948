#pragma once

#include <ctime>
#include <string>

namespace win32
{

// Seconds since the epoch, as the C runtime's time() gives them.
std::time_t time();

// The C runtime's asctime form, "Wed Jan 02 02:03:55 1980\n": 24 characters
// and a newline, the day of the month zero-padded as that runtime writes it.
std::string AscTime(const std::tm& when);

// AscTime of t as local time.
std::string LocalTimeText(std::time_t t);

} // namespace win32
