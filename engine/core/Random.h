#pragma once

#include <cstdint>

namespace OrvaneEngine
{

// One generator for the whole process, 0 until first seeded. Every call below
// advances it by exactly one step, and it may be drawn from on any thread.

void SeedRandom(std::uint32_t seed);

// The next raw value, 0 to 32767.
int Random();

// a to b inclusive; an empty range (b < a) gives a. Ranges wider than 32768
// values are not covered evenly: only a to a + 32767 comes out.
int RandomInt(int a, int b);
// 0 to n - 1; 0 for n = 0. Only values below 32768 come out.
std::uint32_t RandomIndex(std::uint32_t n);

// 0 up to, not including, 1, in steps of 1/32768.
float RandomFloat();
// a up to, not including, b.
float RandomFloatRange(float a, float b);
// -1 up to, not including, 1.
float RandomSigned();
// centre - spread up to, not including, centre + spread.
float RandomSpread(float centre, float spread);

} // namespace OrvaneEngine
