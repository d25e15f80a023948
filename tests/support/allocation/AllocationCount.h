#pragma once

// The count of heap allocations made through operator new in this process.
// Only programs that link test_allocation_count have it: its source replaces
// the global operator new and delete, which every other program keeps.

namespace corvellan::test
{

long AllocationCount();

} // namespace corvellan::test
