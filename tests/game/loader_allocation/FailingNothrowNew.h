#pragma once

namespace corvellan::test
{

// The next nothrow operator new of this process answers null, as when the
// heap is exhausted; later ones allocate again. Only this folder's program
// has it: its source replaces the nothrow operator new.
void FailNextNothrowNew();
bool NothrowNewFailed();

} // namespace corvellan::test
